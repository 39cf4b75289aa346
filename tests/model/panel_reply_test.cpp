#include "model/panel_reply.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

TEST(PanelReply, KindAndDataOfOddReplies) {
    using K = ReplyKind;
    const struct {
        std::string reply;
        ReplyKind kind;
        std::string data;
        bool confirms;
    } cases[] = {
        {"A0001", K::Accepted, "0001", false},
        {"A", K::Accepted, "", false},  // a bare acknowledgement
        {"AY", K::Accepted, "Y", true},
        {"AYY", K::Accepted, "YY", false},
        {"C", K::Garbled, "", false},
        {"T", K::NoResponse, "", false},
        {"I", K::Ignored, "", false},
        {"", K::Cancelled, "", false},
        {"N", K::Other, "N", false},
        {"CC", K::Other, "CC", false},  // only the exchange's own letters alone
        {"a0001", K::Other, "a0001", false},
        {std::string("\0A", 2), K::Other, std::string("\0A", 2), false},
        {"Y", K::Other, "Y", false},
    };
    for (const auto& c : cases) {
        const ClassifiedReply classified = ClassifyReply(c.reply);
        EXPECT_EQ(classified.Kind, c.kind) << c.reply;
        EXPECT_EQ(classified.Data, c.data) << c.reply;
        EXPECT_EQ(classified.Confirms(), c.confirms) << c.reply;
        EXPECT_EQ(IsAccepted(c.reply), c.kind == K::Accepted) << c.reply;
    }
}

}  // namespace
}  // namespace kvtk
