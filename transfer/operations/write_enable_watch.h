#pragma once
// Notes which panels an operation may have left write-enabled: one that was
// sent "LSWEN" and has not confirmed "LSU" since. A stopped operation uses it
// to disable writing again where it had enabled it.

#include <set>

#include "model/panel_exchange.h"

namespace kvtk {

class WriteEnableWatch : public ForwardingExchange {
public:
    using ForwardingExchange::ForwardingExchange;

    // In ascending order. A panel told its new address ("LW73") is counted
    // at both addresses until it has confirmed the move.
    const std::set<int>& MaybeWriteEnabled() const { return enabled_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override;

private:
    std::set<int> enabled_;
};

}  // namespace kvtk
