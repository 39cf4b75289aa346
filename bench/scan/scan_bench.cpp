// Address scans by the kvtk-cli program over a pseudo-terminal, the
// simulator sending at 9600 baud with panels at 1, 5 and 200 that start each
// reply 40 ms after the query. The plain scan (the baseline) runs over
// 0..PLAIN_LAST, since every silent address costs it two full time-outs;
// the quick scan runs over the same range beside it and then over all 256
// addresses (target: at most 15 s, the same panels found).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/sim_line.h"
#include "sim/sim_pty.h"

namespace {

constexpr int kPanelDelayMs = 40;
constexpr double kTargetMs = 15000;

struct Run {
    double wallMs = 0;
    std::string found;
    bool ok = false;
};

Run Scan(bool quick, int last) {
    kvtk::SimLine line;
    line.Options().pacing = true;
    line.Options().replyDelayMs = kPanelDelayMs;
    line.AddPanel(1, "WQ16", "5.00");
    line.AddPanel(5, "KV-4800", "4.00");
    line.AddPanel(200, "WQ60", "5.00");
    kvtk::SimPty pty(line);
    if (!pty.Open()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", qPrintable(pty.ErrorText()));
        return {};
    }
    QStringList args{QStringLiteral("--port"), pty.SlavePath(), QStringLiteral("scan"),
                     QStringLiteral("--last"), QString::number(last)};
    if (quick) args << QStringLiteral("--quick");
    QProcess cli;
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVTK_CLI_PATH), args);
    loop.exec();
    Run run;
    run.wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    run.found = cli.readAllStandardOutput().toStdString();
    // Exit 3 is "nothing found": still a finished scan.
    run.ok =
        cli.exitStatus() == QProcess::NormalExit && (cli.exitCode() == 0 || cli.exitCode() == 3);
    if (!run.ok) std::fprintf(stderr, "%s", cli.readAllStandardError().constData());
    std::printf("  %-5s 0..%-3d %8.0f ms  %6.1f ms/address\n", quick ? "quick" : "plain", last,
                run.wallMs, run.wallMs / (last + 1));
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int plainLast = argc > 1 ? std::clamp(std::atoi(argv[1]), 0, 255) : 7;
    std::printf("kvtk-cli scan over a pty at 9600 baud, panels answering after %d ms\n",
                kPanelDelayMs);
    const Run plain = Scan(false, plainLast);
    const Run quickSame = Scan(true, plainLast);
    const Run quickAll = Scan(true, 255);
    if (!plain.ok || !quickSame.ok || !quickAll.ok) return 1;
    const bool same = plain.found == quickSame.found;
    const bool allFound = quickAll.found.find("200\t") != std::string::npos;
    std::printf("same panels found over 0..%d: %s; all three over 0..255: %s\n", plainLast,
                same ? "yes" : "NO", allFound ? "yes" : "NO");
    std::printf("plain / quick per address: %.1f\n",
                (plain.wallMs / (plainLast + 1)) / (quickAll.wallMs / 256));
    std::printf("quick scan of 256 addresses: %.1f s (target <= %.0f s)\n", quickAll.wallMs / 1000,
                kTargetMs / 1000);
    return same && allFound && quickAll.wallMs <= kTargetMs ? 0 : 3;
}
