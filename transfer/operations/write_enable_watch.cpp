#include "transfer/operations/write_enable_watch.h"

#include <optional>

#include "model/conversions.h"
#include "model/panel_reply.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
namespace {

// The new address of an address write ("LW73" + 2 hex digits).
std::optional<int> MovedTo(const std::string& command) {
    if (command.size() != AddressWriteCommand(0).size()) return std::nullopt;
    const int address = static_cast<int>(HexToNumber(command.substr(command.size() - 2)));
    if (AddressWriteCommand(address) != command) return std::nullopt;
    return address;
}

}  // namespace

std::string WriteEnableWatch::DoExchange(int address, const std::string& command,
                                         const std::string& description, FailureStyle style,
                                         int dataChars) {
    // Sent is enough: a lost or cancelled reply says nothing of what the
    // panel did with the command.
    if (command == kWriteEnableCommand) enabled_.insert(address);
    const std::string reply =
        ForwardingExchange::DoExchange(address, command, description, style, dataChars);
    const bool accepted = IsConfirmation(reply);
    if (command == kWriteDisableCommand && accepted) enabled_.erase(address);
    if (const auto moved = MovedTo(command); moved && enabled_.contains(address)) {
        enabled_.insert(*moved);
        if (accepted) enabled_.erase(address);
    }
    return reply;
}

}  // namespace kvtk
