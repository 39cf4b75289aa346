#include "transfer/live/reply_tally.h"

namespace kvtk {

std::string ReplyTally::Exchange(int address, const std::string& command,
                                 const std::string& description, int style) {
    std::string reply = ForwardingExchange::Exchange(address, command, description, style);
    if (reply == "C")
        ++garbled_;
    else if (!reply.empty() && reply[0] == 'A')
        ++accepted_;
    return reply;
}

}  // namespace kvtk
