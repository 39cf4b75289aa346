#include "ui/live/live_commands.h"

#include <QWidget>

#include "model/products.h"
#include "ui/live/frmGroupCheck.h"
#include "ui/live/frmInputCheck.h"

namespace kvtk {

std::string LiveCommands::Route::DoExchange(int address, const std::string& command,
                                            const std::string& description, FailureStyle style,
                                            int dataChars) {
    return Target ? Target->Exchange(address, command, description, style, dataChars)
                  : std::string{};
}

int LiveCommands::Route::Attempts() const {
    return Target ? Target->Attempts() : 0;
}

void LiveCommands::Route::SetAttempts(int attempts) {
    if (Target) Target->SetAttempts(attempts);
}

LiveCommands::LiveCommands(Configuration& config, OperationHost& host, QWidget& window)
    : QObject(&window),
      config_(config),
      host_(host),
      window_(window),
      route_(std::make_unique<Route>()) {}

LiveCommands::~LiveCommands() = default;

bool LiveCommands::LiveViewsEnabled(const Configuration& config) {
    return config.Status.IsOnline();
}

bool LiveCommands::BadRelayCheckEnabled(const Configuration& config) {
    return BadRelayCommandEnabled(config.Status.IsOnline(), config.Identity.Model);
}

frmInputCheck& LiveCommands::InputCheck() {
    if (!inputCheck_) inputCheck_ = new frmInputCheck(config_, *route_, &window_);
    return *inputCheck_;
}

frmGroupCheck& LiveCommands::GroupCheck() {
    if (!groupCheck_) groupCheck_ = new frmGroupCheck(config_, *route_, &window_);
    return *groupCheck_;
}

void LiveCommands::ViewInputs() {
    if (LiveViewsEnabled(config_)) InputCheck().Start();
}

void LiveCommands::ViewGroups() {
    if (LiveViewsEnabled(config_)) GroupCheck().Start();
}

BadRelayOutcome LiveCommands::CheckBadRelays() {
    if (!BadRelayCheckEnabled(config_)) return {};
    return kvtk::CheckBadRelays(config_, *route_, host_);
}

}  // namespace kvtk
