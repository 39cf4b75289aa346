#include "transfer/registers/register_reply.h"

#include "model/conversions.h"
#include "model/panel_reply.h"

namespace kvtk {

bool IsAcceptedReply(const std::string& reply) {
    return IsAccepted(reply);
}

std::string ReplyChars(const std::string& reply, int first, int count) {
    if (first < 1 || count <= 0) return {};
    const auto from = static_cast<size_t>(first - 1);
    if (from >= reply.size()) return {};
    return reply.substr(from, static_cast<size_t>(count));
}

int32_t ReplyHex(const std::string& reply, int first, int count) {
    // At most 8 digits, so the value always fits a 32-bit integer.
    return static_cast<int32_t>(HexToNumber(ReplyChars(reply, first, count)));
}

int ReplyDigit(const std::string& reply, int position) {
    const std::string c = ReplyChars(reply, position, 1);
    if (c.empty() || c[0] < '0' || c[0] > '9') return 0;
    return c[0] - '0';
}

}  // namespace kvtk
