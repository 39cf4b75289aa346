#pragma once
// The way to the panels for one run of kvtk-cli: the exchange settings
// (T and attempts from the options), a prompter that answers failures by
// policy, and the serial port, relay server or built-in simulated line.

#include <memory>
#include <ostream>
#include <string>

#include "app/cli/cli_args.h"
#include "app/cli/cli_trace.h"
#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/policy_prompter.h"

namespace kvtk {
class RelayConnection;
}

namespace kvtk::cli {

class CliConnection {
public:
    CliConnection(const CliRequest& request, std::ostream& err);
    ~CliConnection();
    CliConnection(const CliConnection&) = delete;
    CliConnection& operator=(const CliConnection&) = delete;

    // Opens what the request names; `injected` (tests) replaces the port or
    // the demonstration line. Empty on success, else the reason in words.
    std::string Open(ByteLink* injected = nullptr);

    PanelExchange& Exchange();
    ExchangeSettings& Settings() { return settings_; }

private:
    std::string OpenRelay();
    void UseLink(ByteLink& link);

    const CliRequest& request_;
    std::ostream& err_;
    ExchangeSettings settings_;
    PolicyPrompter prompter_;
    CommandExchange exchange_;
    std::unique_ptr<ByteLink> ownedLink_;
    std::unique_ptr<TracingLink> tracingLink_;
    std::unique_ptr<RelayConnection> relay_;
    std::unique_ptr<TracingExchange> tracingExchange_;
};

// The relay password: the first line of the file when one is named, else
// the environment variable KVTK_RELAY_PASSWORD. Nothing when neither gives
// one; `error` then says why.
std::optional<std::string> RelayPassword(const std::string& passwordFile, std::string& error);

}  // namespace kvtk::cli
