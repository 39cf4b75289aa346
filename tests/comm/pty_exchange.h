#pragma once
// A simulated line served on a pseudo-terminal and the tool's real serial
// exchange opened on it: the rig of every test that goes over a pty.

#include <string>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/serial_link.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "tests/support/scripted_prompter.h"

namespace kvtk::test {

struct PtyExchange {
    explicit PtyExchange(SimLine& line) : pty(line) {
        exchange.SetOffline(false);
        exchange.SetSerialLink(&link);
    }

    // Opens the pty and the serial port on it; the reason in words when not.
    std::string Open() {
        if (!pty.Open()) return "pty: " + pty.ErrorText().toStdString();
        if (!link.open(pty.SlavePath())) return "port: " + link.lastErrorText().toStdString();
        return {};
    }

    SimPty pty;
    SerialLink link;
    ExchangeSettings settings;
    ScriptedPrompter prompter;  // any failure box is answered Cancel
    CommandExchange exchange{settings, prompter};
};

}  // namespace kvtk::test
