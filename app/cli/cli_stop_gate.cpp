#include "app/cli/cli_stop_gate.h"

#include "transfer/registers/register_map.h"

namespace kvtk::cli {

StopGate::StopGate(PanelExchange& inner, ExchangeSettings& settings, const SignalStop& stop)
    : watch_(inner), settings_(settings), stop_(stop) {
    connection_ =
        QObject::connect(&stop, &SignalStop::requested, &settings, [this] { CancelRunning(); });
}

void StopGate::CancelRunning() {
    // The write disable is the one exchange a stop lets finish.
    if (running_ && *running_ != kWriteDisableCommand) settings_.SetCancel(true);
}

std::string StopGate::DoExchange(int address, const std::string& command,
                                 const std::string& description, FailureStyle style,
                                 int dataChars) {
    if (stop_.Requested() && command != kWriteDisableCommand) return {};  // as a cancel
    running_ = &command;
    std::string reply = watch_.Exchange(address, command, description, style, dataChars);
    running_ = nullptr;
    return reply;
}

}  // namespace kvtk::cli
