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
#include "transfer/live/reply_tally.h"

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

    struct OpenResult {
        std::string Error;  // the reason in words; empty when open
        int Status = kExitOk;
    };
    // Opens what the request names; `injected` (tests) replaces the port or
    // the demonstration line.
    OpenResult Open(ByteLink* injected = nullptr);

    PanelExchange& Exchange() { return tally_; }
    const ReplyTally& Replies() const { return tally_; }
    ExchangeSettings& Settings() { return settings_; }

private:
    OpenResult OpenRelay();
    void UseLink(ByteLink& link);

    const CliRequest& request_;
    std::ostream& err_;
    ExchangeSettings settings_;
    PolicyPrompter prompter_;
    CommandExchange exchange_;
    std::unique_ptr<ByteLink> ownedLink_;
    std::unique_ptr<TracingLink> tracingLink_;
    std::unique_ptr<RelayConnection> relay_;
    ReplyTally tally_{exchange_};
};

}  // namespace kvtk::cli
