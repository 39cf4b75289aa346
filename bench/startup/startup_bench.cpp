// Starts the kvtk program offscreen several times and reports the time from
// launch to its first exposed window and its resident memory at that moment
// (the program's KVTK_STARTUP_PROBE hook prints it and ends the program).
// The first run warms the file cache and is reported but not counted.
//
//   startup_bench [runs] [program]
//
// Targets: under 500 ms to the first window (warm), under 80 MB resident.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr double kTargetMs = 500.0;
constexpr double kTargetMb = 80.0;
constexpr int kTimeoutMs = 30000;

struct Run {
    double ms = 0;
    double residentMb = 0;
};

std::optional<Run> StartOnce(const QString& program) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KVTK_STARTUP_PROBE"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    QEventLoop loop;
    QElapsedTimer clock;
    std::optional<Run> run;
    QByteArray output;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        output += process.readAllStandardOutput();
        const qsizetype at = output.indexOf("kvtk-startup exposed rss-kb=");
        if (at < 0 || run || !output.contains('\n')) return;
        Run r;
        r.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const QByteArray kb = output.mid(at + 28).split('\n').value(0).trimmed();
        r.residentMb = kb.toDouble() / 1024.0;
        run = r;
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    clock.start();
    process.start(program, {});
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = args.size() > 1 ? std::max(args[1].toInt(), 1) : 10;
    const QString program = args.size() > 2 ? args[2] : QStringLiteral(KVTK_PROGRAM);

    std::vector<double> times;
    std::vector<double> memory;
    for (int i = 0; i <= runs; ++i) {
        const std::optional<Run> run = StartOnce(program);
        if (!run) {
            std::fprintf(stderr, "run %d: the program gave no start-up report\n", i);
            return 1;
        }
        std::printf("run %2d%s: %7.1f ms to the first window, %6.1f MB resident\n", i,
                    i == 0 ? " (cold, not counted)" : "", run->ms, run->residentMb);
        if (i == 0) continue;
        times.push_back(run->ms);
        memory.push_back(run->residentMb);
    }
    const double medianMs = Median(times);
    const double worstMb = *std::max_element(memory.begin(), memory.end());
    std::printf(
        "start-up to first window: median %.1f ms, min %.1f ms, max %.1f ms (target < %.0f ms)\n",
        medianMs, *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), kTargetMs);
    std::printf("resident memory after start-up: max %.1f MB (target < %.0f MB)\n", worstMb,
                kTargetMb);
    const bool met = medianMs < kTargetMs && worstMb < kTargetMb;
    std::printf("%s\n", met ? "targets met" : "TARGETS MISSED");
    return met ? 0 : 2;
}
