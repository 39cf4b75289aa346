#pragma once
// Small helpers shared by the panel operations.

#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "model/panel_reply.h"

namespace kvtk {

// The address shown in the main window's status frame, as a number.
int PanelAddress(const Configuration& config);

// The message styles the operations pass to the exchange.
inline constexpr FailureStyle kStyleSilent = FailureStyle::Silent;
inline constexpr FailureStyle kStyleAbortRetryIgnore = FailureStyle::AbortRetryIgnore;
inline constexpr FailureStyle kStyleRetryCancel = FailureStyle::RetryCancel;

// A reply that ends an operation: the user cancelled the exchange.
inline bool IsCancelled(const std::string& reply) {
    return KindOfReply(reply) == ReplyKind::Cancelled;
}

}  // namespace kvtk
