#pragma once
// Restarts the connected panel after asking, waits while it starts up and
// sends it one identity poll. The configuration in memory is not touched.

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

enum class ResetResult {
    Declined,   // the user answered No: nothing was sent
    Cancelled,  // the reset exchange was cancelled: no wait, no poll
    Reset,      // reset, waited, polled
};

ResetResult ResetPanel(const Configuration& config, PanelExchange& exchange, OperationHost& host);

}  // namespace kvtk
