// kvtk-cli: the command-line companion. Everything but the choice of the Qt
// application lives in kvtk_cli_lib (cli_run.h).

#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "app/cli/cli_args.h"
#include "app/cli/cli_run.h"

namespace {

// Qt's own notes (such as "QStandardPaths: XDG_RUNTIME_DIR not set" under
// cron or root) are not this program's messages; only its failures are.
void QtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kvtk-cli: " << text.toLocal8Bit().constData() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const kvtk::cli::ParseResult parsed = kvtk::cli::ParseArguments(args);
    // --verbose and --trace show everything, Qt's notes included.
    if (!parsed.Ok() || !(parsed.Request.Verbose || parsed.Request.Trace))
        qInstallMessageHandler(QtFailuresOnly);
    // Only a PDF report needs fonts and a paint engine; it has no window,
    // so the off-screen platform serves unless the user chose another.
    const kvtk::cli::CliRequest& request = parsed.Request;
    const bool pdf = parsed.Ok() && !request.Help &&
                     (request.Command == "report" ||
                      (request.Command == "site" && request.SiteAction == "report"));
    std::unique_ptr<QCoreApplication> app;
    if (pdf) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kvtk-cli"));
    const kvtk::cli::CliEnvironment env{
        std::cout, std::cerr, isatty(STDERR_FILENO) == 1, nullptr, {}};
    return kvtk::cli::RunCli(args, env);
}
