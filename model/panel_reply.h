#pragma once
// The kinds of reply an exchange hands back, told apart in one place. The
// exchange returns text ("A" + data, "C", "T", "I", another line, or
// nothing); callers ask its kind instead of comparing letters.

#include <string>
#include <string_view>

namespace kvtk {

enum class ReplyKind {
    Accepted,    // "A" + data: the panel answered
    Garbled,     // "C": a reply came, but its checksum failed or it lacked the data asked for
    NoResponse,  // "T": nothing complete in time, offline, or the relay server failed
    Ignored,     // "I": the exchange failed and the user chose Ignore
    Cancelled,   // empty: the user (or a stop) cancelled
    Other,       // a line of another kind, as it came
};

// What the exchange returns for the outcomes it makes itself.
inline constexpr const char* kGarbledReply = "C";
inline constexpr const char* kNoResponseReply = "T";
inline constexpr const char* kIgnoredReply = "I";

ReplyKind KindOfReply(std::string_view reply);

struct ClassifiedReply {
    ReplyKind Kind = ReplyKind::Cancelled;
    // Accepted: what followed the "A"; Other: the line as it came; else empty.
    std::string Data;

    bool IsAccepted() const { return Kind == ReplyKind::Accepted; }
    // The panel's "yes" ("AY"): the command was carried out.
    bool Confirms() const { return IsAccepted() && Data == "Y"; }
};

ClassifiedReply ClassifyReply(std::string_view reply);

inline bool IsAccepted(std::string_view reply) {
    return KindOfReply(reply) == ReplyKind::Accepted;
}
inline bool IsConfirmation(std::string_view reply) {
    return ClassifyReply(reply).Confirms();
}

}  // namespace kvtk
