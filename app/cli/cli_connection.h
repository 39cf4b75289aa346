#pragma once
// The way to the panels for one run of kvtk-cli: the panel line, set up
// with T and attempts from the options, a prompter that answers failures by
// policy, and the serial port, relay server or built-in simulated line.

#include <memory>
#include <ostream>
#include <string>

#include "app/cli/cli_args.h"
#include "comm/panel_line.h"
#include "comm/policy_prompter.h"
#include "transfer/registers/reply_tally.h"

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
    ExchangeSettings& Settings() { return line_.Settings(); }

private:
    OpenResult OpenRelay();
    void Online();

    const CliRequest& request_;
    std::ostream& err_;
    PolicyPrompter prompter_;
    PanelLine line_;
    ReplyTally tally_{line_.Exchange()};
};

}  // namespace kvtk::cli
