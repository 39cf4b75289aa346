// The three programs as a user starts them: what reaches the terminal and
// the exit status, where it depends on main() itself.

#include <gmock/gmock.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace kvtk {
namespace {

using ::testing::HasSubstr;

struct ProgramRun {
    int Status = -1;
    std::string Out, Err;
};

ProgramRun RunProgram(const char* program, const QStringList& args, const QProcessEnvironment& env,
                      const QString& outputFile = {}) {
    QProcess process;
    process.setProcessEnvironment(env);
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(QString::fromLocal8Bit(program), args);
    const bool ended = process.waitForFinished(20000);
    if (!ended || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// Help, version and a wrong option are answered without a display (as over
// SSH); a lost output is a failure.
TEST(Programs, HelpVersionAndUsageErrorsNeedNoDisplay) {
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(QString::fromLatin1(name));
    const QString style = QStringLiteral("-style"), fusion = QStringLiteral("Fusion");
    const struct {
        const char* program;
        QStringList args;
        int status;
        std::string shown;  // on standard output for 0, on standard error else
    } cases[] = {
        {KVTK_GUI_PATH, {QStringLiteral("--help")}, 0, "--com <N=PATH>"},
        {KVTK_GUI_PATH, {style, fusion, QStringLiteral("--help")}, 0, "--com <N=PATH>"},
        {KVTK_GUI_PATH, {QStringLiteral("--version")}, 0, "kvtk 5.1\n"},
        {KVTK_GUI_PATH, {QStringLiteral("-v"), QStringLiteral("--version")}, 0, "GPL-3.0-or-later"},
        {KVTK_CLI_PATH, {QStringLiteral("--help")}, 0, "Exit status"},
        {KVTK_CLI_PATH, {QStringLiteral("--version")}, 0, "kvtk-cli 5.1\nCopyright"},
        {KVTK_SIM_PATH, {QStringLiteral("--help")}, 0, "--password-file"},
        {KVTK_SIM_PATH, {QStringLiteral("--version")}, 0, "kvtk-sim 5.1\nCopyright"},
        {KVTK_GUI_PATH, {QStringLiteral("--bogus")}, 2, "Try 'kvtk --help'"},
        {KVTK_GUI_PATH, {style, fusion, QStringLiteral("--bogus")}, 2, "Try 'kvtk --help'"},
    };
    for (const auto& c : cases) {
        const std::string name = c.program + (" " + c.args.join(QLatin1Char(' ')).toStdString());
        ProgramRun run = RunProgram(c.program, c.args, headless);
        EXPECT_EQ(run.Status, c.status) << name << run.Err;
        EXPECT_THAT(c.status == 0 ? run.Out : run.Err, HasSubstr(c.shown)) << name;
        if (c.status != 0) continue;
        run = RunProgram(c.program, c.args, headless, QStringLiteral("/dev/full"));
        EXPECT_GT(run.Status, 0) << name;
        EXPECT_THAT(run.Err, HasSubstr("could not be written")) << name;
    }
}

}  // namespace
}  // namespace kvtk
