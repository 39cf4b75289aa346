// Throughput of the command exchange against an instant simulated panel,
// over a pseudo-terminal (also with the communication window's traffic pane
// open) and over the loopback relay server, and the CPU time spent while
// waiting out one 500 ms time-out.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <ctime>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/panel_line.h"
#include "comm/policy_prompter.h"
#include "comm/relay_connection.h"
#include "comm/serial_link.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"
#include "ui/comm/frmComm.h"
#include "ui/comm/message_prompter.h"
#include "ui/comm/traffic_pane.h"

namespace kvtk {
namespace {

double ProcessCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void BM_ExchangeOverPty(benchmark::State& state) {
    SimLine line;
    line.AddPanel(1, "KV-4800", "0400");
    SimPty pty(line);
    SerialLink link;
    if (!pty.Open() || !link.open(pty.SlavePath())) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ExchangeSettings settings;
    PolicyPrompter prompter(FailurePolicy::Abort);
    CommandExchange exchange(settings, prompter);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);
    for (auto _ : state) {
        if (exchange.Exchange(1, "LR73", "", FailureStyle::Silent) != "A0001") {
            state.SkipWithError("unexpected reply");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExchangeOverPty)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same through the communication window with its traffic pane shown:
// every frame and line goes to the log, and the pane takes them in batches.
void BM_ExchangeOverPtyWithTrafficPane(benchmark::State& state) {
    SimLine line;
    line.AddPanel(1, "KV-4800", "0400");
    SimPty pty(line);
    if (!pty.Open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    MessagePrompter prompts;
    PanelLine panelLine(PortSlots(QStringList{}), prompts);
    frmComm comm(panelLine);
    panelLine.BindSlotFactory(
        1,
        [&pty] {
            auto link = std::make_unique<SerialLink>();
            link->open(pty.SlavePath());
            return link;
        },
        QStringLiteral("pty"));
    comm.show();
    if (state.range(0) == 1) comm.cmdTraffic()->click();
    if (!panelLine.OpenSlot(1) || comm.TrafficView().isVisible() != (state.range(0) == 1)) {
        state.SkipWithError("no port or no pane");
        return;
    }
    CommandExchange& exchange = panelLine.Exchange();
    exchange.SetOffline(false);
    for (auto _ : state) {
        if (exchange.Exchange(1, "LR73", "", FailureStyle::Silent) != "A0001") {
            state.SkipWithError("unexpected reply");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    comm.TrafficView().Refresh();
    state.counters["lines_shown"] = comm.TrafficView().LineCount();
}
// Argument 1: the pane shown; 0: the window shown without it, for comparison.
BENCHMARK(BM_ExchangeOverPtyWithTrafficPane)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_ExchangeOverRelay(benchmark::State& state) {
    SimLine line;
    line.AddPanel(1, "KV-4800", "0400");
    SimRelayServer server(line, QStringLiteral("tech"), QStringLiteral("pw"));
    RelayConnection relay;
    relay.SetLoginWindowMs(50);
    if (!server.Listen()) {
        state.SkipWithError("cannot listen");
        return;
    }
    relay.Connect(QStringLiteral("127.0.0.1:%1").arg(server.Port()), "tech", "pw");
    if (!relay.WaitForLogin(5000)) {
        state.SkipWithError("login failed");
        return;
    }
    ExchangeSettings settings;
    PolicyPrompter prompter(FailurePolicy::Abort);
    CommandExchange exchange(settings, prompter);
    exchange.SetConnectionMode(ConnectionMode::Relay);
    exchange.SetRelayConnection(&relay);
    for (auto _ : state) {
        if (exchange.Exchange(1, "LR73", "", FailureStyle::Silent) != "A0001") {
            state.SkipWithError("unexpected reply");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExchangeOverRelay)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One attempt at a silent address with T = 500 ms: wall time about 500 ms,
// CPU time (counter cpu_ms) should stay near zero.
void BM_CpuWhileWaitingOutATimeOut(benchmark::State& state) {
    SimLine line;
    SimPty pty(line);
    SerialLink link;
    if (!pty.Open() || !link.open(pty.SlavePath())) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ExchangeSettings settings;
    settings.SetAttempts(1);
    PolicyPrompter prompter(FailurePolicy::Abort);
    CommandExchange exchange(settings, prompter);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);
    double cpuMs = 0;
    for (auto _ : state) {
        const double before = ProcessCpuMs();
        const std::string reply = exchange.Exchange(9, "LR73", "", FailureStyle::Silent);
        cpuMs += ProcessCpuMs() - before;
        if (reply != "T") state.SkipWithError("a silent address answered");
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CpuWhileWaitingOutATimeOut)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4);

}  // namespace
}  // namespace kvtk

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
