// The group check window ("Group Status - continuously updated") polling a
// WQ60 5.00 panel (60 groups, two commands per pass) served by kvtk-sim on
// a pseudo-terminal in its own process, so that only the tool's CPU time
// is counted. Prints passes per second and CPU time per pass against an
// instant panel, and CPU time / wall time against a panel paced at 9600
// baud (target at most 0.05).

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/policy_prompter.h"
#include "comm/serial_link.h"
#include "model/configuration.h"
#include "model/products.h"
#include "ui/live/frmGroupCheck.h"

namespace {

double OwnCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Figures {
    long passes = 0;
    double wallMs = 0;
    double cpuMs = 0;
    bool ok = false;
};

// Starts kvtk-sim and returns the pseudo-terminal it serves, or "".
QString StartSimulator(QProcess& sim, bool paced) {
    QStringList args{QStringLiteral("--pty"), QStringLiteral("--panel"),
                     QStringLiteral("1:WQ60:5.00")};
    if (paced) args << QStringLiteral("--pacing");
    sim.start(QStringLiteral(KVTK_SIM_PATH), args);
    if (!sim.waitForStarted(5000)) return {};
    QElapsedTimer clock;
    clock.start();
    while (!sim.canReadLine() && clock.elapsed() < 5000) sim.waitForReadyRead(100);
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

Figures Measure(bool paced, int seconds) {
    Figures figures;
    QProcess sim;
    const QString device = StartSimulator(sim, paced);
    kvtk::SerialLink link;
    if (device.isEmpty() || !link.open(device)) {
        std::fprintf(stderr, "cannot reach the simulator (%s)\n", qPrintable(device));
        return figures;
    }
    kvtk::Configuration config;
    config.Identity = {"WQ60", "5.00"};
    kvtk::ApplyProductCapabilities(config, "WQ60", "5.00");
    config.Status.Connection = kvtk::PanelConnection::Serial(1);
    config.Panel.Address = std::string(1, '1');
    kvtk::ExchangeSettings settings;
    kvtk::PolicyPrompter prompter(kvtk::FailurePolicy::Abort);
    kvtk::CommandExchange exchange(settings, prompter);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);

    kvtk::frmGroupCheck window(config, exchange);
    QEventLoop loop;
    QElapsedTimer clock;
    double cpuStart = 0;
    // The first pass is left out: it includes showing the window.
    QObject::connect(&window, &kvtk::LiveWindow::passFinished, [&] {
        if (++figures.passes == 1) {
            clock.start();
            cpuStart = OwnCpuMs();
        }
    });
    QObject::connect(&window, &kvtk::LiveWindow::loopEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(seconds * 1000, &window, [&] { window.close(); });
    window.Start();
    if (window.Looping()) loop.exec();
    figures.wallMs = static_cast<double>(clock.elapsed());
    figures.cpuMs = OwnCpuMs() - cpuStart;
    figures.passes -= 1;
    figures.ok = figures.passes > 0;
    link.close();
    sim.kill();
    sim.waitForFinished(2000);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    bool ok = true;
    for (bool paced : {false, true}) {
        const Figures f = Measure(paced, seconds);
        if (!f.ok) {
            ok = false;
            continue;
        }
        std::printf(
            "%s panel: %ld passes in %.0f ms, %.1f passes/s, CPU %.3f ms/pass, "
            "CPU/wall %.3f\n",
            paced ? "9600-baud" : "instant", f.passes, f.wallMs, f.passes * 1000.0 / f.wallMs,
            f.cpuMs / static_cast<double>(f.passes), f.cpuMs / f.wallMs);
    }
    return ok ? 0 : 1;
}
