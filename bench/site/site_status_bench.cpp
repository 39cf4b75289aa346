// `kvtk-cli site status --quick` over a pseudo-terminal, the simulator
// pacing replies at 9600 baud: panels at 1 (WQ16) and 2 (KV-4800) with
// their files, 3 (TMC-1400) without one, and a file for the silent
// address 4. Its wall time against the program's own quick scan plus one
// full read of each panel with a file (target at most 1.05).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_pty.h"

namespace {

// Wall time of one kvtk-cli run in ms; negative when it did not exit as expected.
double RunMs(kvtk::SimPty& pty, const QStringList& args, int expectedExit) {
    QProcess cli;
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVTK_CLI_PATH),
              QStringList{QStringLiteral("--port"), pty.SlavePath()} + args);
    loop.exec();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != expectedExit) {
        std::fprintf(stderr, "%s: exit %d\n%s", qPrintable(args.join(QLatin1Char(' '))),
                     cli.exitCode(), cli.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

bool CopyForAddress(const QString& from, const QString& to, int address) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    QByteArray text = in.readAll();
    text.replace("Address=1", "Address=" + QByteArray::number(address));
    return out.write(text) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    kvtk::SimLine line;
    line.Options().pacing = true;
    line.AddPanel(1, "WQ16", "5.00");
    line.AddPanel(2, "KV-4800", "4.00");
    line.AddPanel(3, "TMC-1400", "4.00");
    kvtk::SimPty pty(line);
    if (!pty.Open()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", qPrintable(pty.ErrorText()));
        return 1;
    }
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    QDir().mkpath(site);
    std::printf("kvtk-cli site status --quick of 4 simulated panels over a pty at 9600 baud\n");
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        const double scan = RunMs(pty, {QStringLiteral("scan"), QStringLiteral("--quick")}, 0);
        double reads = 0;
        for (const int address : {1, 2}) {
            const QString file = site + QStringLiteral("/panel%1.kvx").arg(address);
            const double read = RunMs(pty,
                                      {QStringLiteral("-a"), QString::number(address),
                                       QStringLiteral("read"), QStringLiteral("-o"), file},
                                      0);
            if (read < 0) return 1;
            reads += read;
        }
        if (scan < 0 || !CopyForAddress(site + QStringLiteral("/panel1.kvx"),
                                        site + QStringLiteral("/spare.kvx"), 4))
            return 1;
        // Exit 1: address 3 has no file, the file for 4 no panel.
        const double status = RunMs(
            pty,
            {QStringLiteral("site"), QStringLiteral("status"), site, QStringLiteral("--quick")}, 1);
        if (status < 0) return 1;
        std::printf("  quick scan %.0f ms + reads %.0f ms; site status %.0f ms\n", scan, reads,
                    status);
        ratios.push_back(status / (scan + reads));
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios[ratios.size() / 2];
    std::printf("median site status / (quick scan + reads): %.3f (target <= 1.05)\n", median);
    return median <= 1.05 ? 0 : 3;
}
