#include "model/panel_reply.h"

namespace kvtk {

ReplyKind KindOfReply(std::string_view reply) {
    if (reply.empty()) return ReplyKind::Cancelled;
    if (reply.front() == 'A') return ReplyKind::Accepted;
    if (reply == kGarbledReply) return ReplyKind::Garbled;
    if (reply == kNoResponseReply) return ReplyKind::NoResponse;
    if (reply == kIgnoredReply) return ReplyKind::Ignored;
    return ReplyKind::Other;
}

ClassifiedReply ClassifyReply(std::string_view reply) {
    ClassifiedReply classified;
    classified.Kind = KindOfReply(reply);
    if (classified.Kind == ReplyKind::Accepted) classified.Data = reply.substr(1);
    if (classified.Kind == ReplyKind::Other) classified.Data = reply;
    return classified;
}

}  // namespace kvtk
