#pragma once
// Counts how the replies of a run came back, so that a silent line can be
// told apart from a device whose every reply fails its checksum (a line
// fault: baud rate, wiring, noise), which the panel operations both see as
// "Not connected".

#include "model/panel_exchange.h"

namespace kvtk {

class ReplyTally : public ForwardingExchange {
public:
    using ForwardingExchange::ForwardingExchange;

    std::string Exchange(int address, const std::string& command, const std::string& description,
                         int style) override;

    // Something answered, but nothing that answered could be read.
    bool OnlyGarbled() const { return garbled_ > 0 && accepted_ == 0; }

private:
    int garbled_ = 0;
    int accepted_ = 0;
};

}  // namespace kvtk
