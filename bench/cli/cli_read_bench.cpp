// A full read of a WQ60 5.00 panel (120 inputs, 60 groups) by the kvtk-cli
// program over a pseudo-terminal, the simulator sending at 9600 baud.
// Prints wall time / wire time of the characters exchanged (target at most
// 1.05) and the program's CPU time / wall time (target at most 0.05).

#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_pty.h"

namespace {

constexpr double kMsPerCharacter = 10.0 / 9.6;  // start, 8 data and stop bits at 9600 baud

double ChildrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Figures {
    double wallMs = 0;
    double wireMs = 0;
    double replyWireMs = 0;
    double cpuMs = 0;
    long characters = 0;
    bool ok = false;
};

Figures OneRead(const QString& outputFile) {
    kvtk::SimLine line;
    line.Options().pacing = true;
    kvtk::SimPanel& panel = line.AddPanel(1, "WQ60", "5.00");
    panel.SetRegister("65", "78");  // 120 inputs
    long replyCharacters = 0;
    QObject::connect(&line, &kvtk::SimLine::Transmit, &line,
                     [&](const QByteArray& bytes) { replyCharacters += bytes.size(); });
    kvtk::SimPty pty(line);
    if (!pty.Open()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", qPrintable(pty.ErrorText()));
        return {};
    }

    QProcess cli;
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    const double cpuBefore = ChildrenCpuMs();
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVTK_CLI_PATH),
              {QStringLiteral("--port"), pty.SlavePath(), QStringLiteral("read"),
               QStringLiteral("-o"), outputFile});
    loop.exec();
    Figures f;
    f.wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    f.cpuMs = ChildrenCpuMs() - cpuBefore;
    long frameCharacters = 0;
    // ">" + address field + command + checksum + CR
    for (const std::string& command : panel.Received())
        frameCharacters += static_cast<long>(command.size()) + 6;
    f.characters = frameCharacters + replyCharacters;
    f.wireMs = static_cast<double>(f.characters) * kMsPerCharacter;
    // The pty hands the program's frames over at once; only replies are paced.
    f.replyWireMs = static_cast<double>(replyCharacters) * kMsPerCharacter;
    f.ok = cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
    if (!f.ok) std::fprintf(stderr, "%s", cli.readAllStandardError().constData());
    std::printf(
        "  %zu commands, %ld characters: wall %.0f ms, wire %.0f ms (replies %.0f ms), CPU %.0f "
        "ms\n",
        panel.Received().size(), f.characters, f.wallMs, f.wireMs, f.replyWireMs, f.cpuMs);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir dir;
    std::vector<double> wallRatio;
    std::vector<double> cpuRatio;
    std::vector<double> replyRatio;
    std::printf("kvtk-cli read of a WQ60 5.00 (120 inputs, 60 groups) over a pty at 9600 baud\n");
    for (int i = 0; i < runs; ++i) {
        const Figures f = OneRead(dir.filePath(QStringLiteral("wq60.kvx")));
        if (!f.ok) return 1;
        wallRatio.push_back(f.wallMs / f.wireMs);
        cpuRatio.push_back(f.cpuMs / f.wallMs);
        replyRatio.push_back(f.wallMs / f.replyWireMs);
    }
    std::sort(wallRatio.begin(), wallRatio.end());
    std::sort(cpuRatio.begin(), cpuRatio.end());
    std::sort(replyRatio.begin(), replyRatio.end());
    const size_t mid = wallRatio.size() / 2;
    std::printf("median wall / wire time: %.3f (target <= 1.05)\n", wallRatio[mid]);
    std::printf("median wall / paced reply time: %.3f\n", replyRatio[mid]);
    std::printf("median CPU / wall time:  %.4f (target <= 0.05)\n", cpuRatio[mid]);
    return wallRatio[mid] <= 1.05 && cpuRatio[mid] <= 0.05 ? 0 : 3;
}
