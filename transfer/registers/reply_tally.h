#pragma once
// Counts how the replies of a run came back, so that a silent line can be
// told apart from a device whose every reply fails its checksum (a line
// fault: baud rate, wiring, noise) or is a line of another kind ("N", NUL
// bytes), which the panel operations all see as "Not connected".

#include "model/panel_exchange.h"

namespace kvtk {

class ReplyTally : public ForwardingExchange {
public:
    using ForwardingExchange::ForwardingExchange;

    // Something answered, but nothing that answered could be read.
    bool OnlyGarbled() const { return (garbled_ > 0 || !strange_.empty()) && accepted_ == 0; }
    // The last reply line that was neither accepted, garbled, a time-out nor
    // a user's choice, as it came; empty when there was none.
    const std::string& StrangeLine() const { return strange_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override;

private:
    int garbled_ = 0;
    int accepted_ = 0;
    std::string strange_;
};

}  // namespace kvtk
