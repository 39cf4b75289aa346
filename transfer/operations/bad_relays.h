#pragma once
// Lists the relays the panel has flagged as bad and, on request, clears
// every flag. Nothing is stored in the configuration.

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

enum class BadRelayResult {
    Cancelled,   // an exchange was cancelled
    NoneFound,   // "No bad relays found."
    Kept,        // the user chose not to clear the flags
    Cleared,     // the panel confirmed the clear with "AY"
    NotCleared,  // the panel did not confirm the clear
};

struct BadRelayOutcome {
    BadRelayResult Result = BadRelayResult::Cancelled;
    std::vector<int> Relays;  // flagged relays, ascending
};

// "Bad relays are: 3 17 .   Do you want to clear Bad Relay information?"
std::string BadRelayQuestion(const std::vector<int>& relays);

BadRelayOutcome CheckBadRelays(const Configuration& config, PanelExchange& exchange,
                               OperationHost& host);

}  // namespace kvtk
