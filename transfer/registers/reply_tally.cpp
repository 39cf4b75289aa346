#include "transfer/registers/reply_tally.h"

#include "model/panel_reply.h"

namespace kvtk {

std::string ReplyTally::DoExchange(int address, const std::string& command,
                                   const std::string& description, FailureStyle style,
                                   int dataChars) {
    std::string reply =
        ForwardingExchange::DoExchange(address, command, description, style, dataChars);
    switch (KindOfReply(reply)) {
        case ReplyKind::Garbled:
            ++garbled_;
            break;
        case ReplyKind::Accepted:
            ++accepted_;
            break;
        case ReplyKind::Other:
            strange_ = reply;
            break;
        case ReplyKind::NoResponse:
        case ReplyKind::Ignored:
        case ReplyKind::Cancelled:
            break;
    }
    return reply;
}

}  // namespace kvtk
