#pragma once
// Gives the connected panel a new address. Online: check that no panel
// answers at the new address, enable writing, write the address register,
// verify the panel answers at its new address and save. Offline: renumber
// the configuration only.

#include <functional>
#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

inline constexpr int kLowestNewAddress = 1;
inline constexpr int kHighestNewAddress = 255;

enum class AddressChangeResult {
    InvalidAddress,  // outside 1..255: nothing sent, nothing changed
    Renumbered,      // offline: the configuration's address changed; another may follow
    Occupied,        // a panel already answers there: nothing written
    NotBackedUp,     // the step before the write (the backup) said stop: nothing written
    Cancelled,       // an exchange was cancelled at the step reached; it may be tried again
    WentOffline,     // written, but nothing answers at the new address: now offline
    Changed,         // written, verified and saved: the change is done
};

// What the dialog applies. On WentOffline the dialog disables the address
// field and "Change", relabels "Cancel" as "&OK" and selects the connect
// dialog's offline choice; the model's address and connection status are
// already changed.
struct AddressChangeOutcome {
    AddressChangeResult Result = AddressChangeResult::InvalidAddress;
    std::string ProgressLine;  // the last text of the dialog's progress line
    bool Completed = false;    // nothing is left to do
    bool GoOffline = false;
};

// "WARNING: You are changing the address of the device that is currently at address 1."
std::string AddressChangeWarning(const std::string& oldAddress);

// Online when the configuration is online. The progress line
// texts go to the host's status line as each step starts. `beforeWriting`,
// when given, runs once the new address is known to be free and before the
// first command that changes the panel; false ends the change there.
AddressChangeOutcome ChangeAddress(Configuration& config, int newAddress, PanelExchange& exchange,
                                   OperationHost& host,
                                   const std::function<bool()>& beforeWriting = {});

}  // namespace kvtk
