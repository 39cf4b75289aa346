#include "transfer/operations/reset_panel.h"

#include <string>

#include "model/products.h"
#include "transfer/operations/operation_support.h"
#include "transfer/registers/register_map.h"

namespace kvtk {

ResetResult ResetPanel(const Configuration& config, PanelExchange& exchange, OperationHost& host) {
    const int address = PanelAddress(config);
    if (!AskYesNo(
            host, "Reset Device?",
            "Do you really want to reset the device at address " + std::to_string(address) + " ?"))
        return ResetResult::Declined;
    if (IsCancelled(exchange.Exchange(address, kResetCommand, "", kStyleRetryCancel)))
        return ResetResult::Cancelled;
    host.Wait({WaitKind::Resetting, 5000, "This will take approximately 5 seconds..."});
    // A poll; its reply is not used, but only a whole identity counts as one.
    exchange.Exchange(address, kIdentityQuery, "", kStyleRetryCancel, kIdentityReplyChars);
    return ResetResult::Reset;
}

}  // namespace kvtk
