#include "transfer/registers/reply_tally.h"

namespace kvtk {

std::string ReplyTally::DoExchange(int address, const std::string& command,
                                   const std::string& description, FailureStyle style,
                                   int dataChars) {
    std::string reply =
        ForwardingExchange::DoExchange(address, command, description, style, dataChars);
    if (reply == "C")
        ++garbled_;
    else if (!reply.empty() && reply[0] == 'A')
        ++accepted_;
    else if (!reply.empty() && reply != "T" && reply != "I")
        strange_ = reply;
    return reply;
}

}  // namespace kvtk
