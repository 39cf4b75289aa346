#pragma once
// Small helpers shared by the panel operations.

#include <string>

#include "model/configuration.h"

namespace kvtk {

// The address shown in the main window's status frame, as a number.
int PanelAddress(const Configuration& config);

// The message styles the operations pass to the exchange.
inline constexpr int kStyleSilent = 0;
inline constexpr int kStyleAbortRetryIgnore = 2;
inline constexpr int kStyleRetryCancel = 5;

// A reply that ends an operation: the user cancelled the exchange.
inline bool IsCancelled(const std::string& reply) {
    return reply.empty();
}

}  // namespace kvtk
