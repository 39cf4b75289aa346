#pragma once
// The commands of kvtk-cli on an open exchange: each prints its result on
// standard output, its errors in words on standard error, and returns the
// exit status.

#include <ctime>
#include <functional>
#include <ostream>

#include "app/cli/cli_args.h"
#include "app/cli/cli_host.h"
#include "model/panel_exchange.h"
#include "transfer/registers/reply_tally.h"

namespace kvtk::cli {

struct CommandContext {
    const CliRequest& Request;
    PanelExchange* Exchange;    // null for the commands without a panel
    const ReplyTally* Replies;  // how the replies came back; null without a panel
    CliHost& Host;
    std::ostream& Out;
    std::ostream& Err;
    bool ErrIsTerminal = false;          // scan progress only on a terminal
    std::function<bool()> Stopped;       // Ctrl+C or SIGTERM came
    std::function<std::time_t()> Clock;  // the time of backups and file stamps
};

int RunCommand(CommandContext& context);

}  // namespace kvtk::cli
