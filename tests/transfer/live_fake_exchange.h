#pragma once
// A scripted panel for the live views and the address scan: records every
// exchange and answers from a queue of replies, else from a responder.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "model/panel_exchange.h"

namespace kvtk {

class LiveFakeExchange : public PanelExchange {
public:
    struct Call {
        int Address;
        std::string Command;
        std::string Description;
        int Style;
    };

    std::string Exchange(int address, const std::string& command, const std::string& description,
                         int style) override {
        calls.push_back({address, command, description, style});
        if (!queued.empty()) {
            std::string reply = queued.front();
            queued.pop_front();
            return reply;
        }
        return responder ? responder(address, command) : std::string("A");
    }

    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const auto& c : calls) commands.push_back(c.Command);
        return commands;
    }

    std::vector<Call> calls;
    std::deque<std::string> queued;
    std::function<std::string(int, const std::string&)> responder;
};

}  // namespace kvtk
