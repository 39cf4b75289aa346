#pragma once
// What both live monitors send through: every command goes to the
// configuration's Address with an empty description and message style 5
// (Retry and Cancel until the panel answers). Once stopped, nothing more is
// sent and every reply reads as cancelled until the next start.

#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"

namespace kvtk {

class LiveSender {
public:
    LiveSender(PanelExchange& exchange, const Configuration& config)
        : exchange_(exchange), config_(config) {}

    // `dataChars`: the digits the reply must carry (0 for a command).
    const std::string& Send(const std::string& command, int dataChars = 0);
    void Start() { stopped_ = false; }
    void Stop() { stopped_ = true; }
    const std::string& LastReply() const { return lastReply_; }

private:
    PanelExchange& exchange_;
    const Configuration& config_;
    std::string lastReply_;
    bool stopped_ = false;
};

}  // namespace kvtk
