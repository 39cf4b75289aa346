// The loop a technician repeats all day, by the kvtk-cli program over a
// pseudo-terminal, the simulator pacing both directions at 9600 baud: a WQ60
// 5.00 panel (120 inputs, 60 groups), one value of the file changed, then
// `write FILE --verify` (backup, write, the panel's 5 s save wait, full
// read-back). The full write is the baseline; the same loop with
// --changes-only runs beside it (target: at most 0.6 of the full loop).
// Afterwards `verify` must find the panel holding exactly the file's values.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "sim/sim_line.h"
#include "sim/sim_pty.h"

namespace {

constexpr double kTargetRatio = 0.6;

struct Run {
    double wallMs = 0;
    int exitCode = -1;
    QByteArray out;
};

Run Cli(const QString& port, QStringList args) {
    args.prepend(port);
    args.prepend(QStringLiteral("--port"));
    QProcess cli;
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVTK_CLI_PATH), args);
    loop.exec();
    Run run;
    run.wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = cli.readAllStandardOutput();
    if (run.exitCode != 0) std::fprintf(stderr, "%s", cli.readAllStandardError().constData());
    return run;
}

// The file with the first input timer moved on by one.
QByteArray OneValueChanged(QByteArray text) {
    const QByteArray key = "Timer = ";
    const qsizetype at = text.indexOf("\r\n" + key);
    if (at < 0) return {};
    const qsizetype digit = at + 2 + key.size();
    text[digit] = static_cast<char>('0' + (text[digit] - '0' + 1) % 4);
    return text;
}

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    kvtk::SimLine line;
    line.Options().pacing = true;
    line.Options().pacedFrames = true;  // the tool's frames cost their wire time too
    line.AddPanel(1, "WQ60", "5.00");
    kvtk::SimPty pty(line);
    if (!folder.isValid() || !pty.Open()) {
        std::fprintf(stderr, "cannot set up: %s\n", qPrintable(pty.ErrorText()));
        return 1;
    }
    const QString port = pty.SlavePath();
    const QString base = folder.filePath(QStringLiteral("base.kvx"));
    const QString changed = folder.filePath(QStringLiteral("changed.kvx"));
    const QString backups = folder.filePath(QStringLiteral("backups"));
    QDir().mkpath(backups);
    if (Cli(port, {QStringLiteral("read"), QStringLiteral("-o"), base}).exitCode != 0) return 1;
    QFile baseFile(base);
    if (!baseFile.open(QIODevice::ReadOnly)) return 1;
    const QByteArray baseText = baseFile.readAll();
    if (!WriteFile(changed, OneValueChanged(baseText))) return 1;

    std::printf(
        "kvtk-cli write FILE --verify over a pty at 9600 baud, WQ60 5.00, one value "
        "changed\n");
    const QStringList loop{QStringLiteral("--backup"), backups, QStringLiteral("--verify")};
    // The panel holds base.kvx: the full write brings it changed.kvx ...
    const Run full = Cli(port, QStringList{QStringLiteral("write"), changed} + loop);
    // ... and the changes-only write brings it back to base.kvx.
    const Run changesOnly = Cli(
        port, QStringList{QStringLiteral("write"), base, QStringLiteral("--changes-only")} + loop);
    const Run check = Cli(port, {QStringLiteral("verify"), base});
    if (full.exitCode != 0 || changesOnly.exitCode != 0) return 1;

    const double ratio = changesOnly.wallMs / full.wallMs;
    std::printf("  %-28s %8.0f ms\n", "full write loop (baseline)", full.wallMs);
    std::printf("  %-28s %8.0f ms\n", "changes-only loop", changesOnly.wallMs);
    std::printf("changes-only / full: %.2f (target <= %.1f)\n", ratio, kTargetRatio);
    std::printf("the panel holds exactly the file's values afterwards: %s\n",
                check.exitCode == 0 ? "yes" : "NO");
    return check.exitCode == 0 && ratio <= kTargetRatio ? 0 : 3;
}
