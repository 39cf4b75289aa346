#include "transfer/member_bytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtk {
namespace {

std::vector<int> MembersOf(const GroupConfig& g) {
    std::vector<int> members;
    for (int k = 1; k <= kMemberCount; ++k)
        if (g.HasMember(k)) members.push_back(k);
    return members;
}

GroupConfig GroupWith(const std::vector<int>& members) {
    GroupConfig g;
    for (int k : members) g.SetMember(k, true);
    return g;
}

struct DecodeCase {
    const char* reply;
    int bytes;
    std::vector<int> before;
    std::vector<int> after;
};

TEST(MemberBytes, Decoding) {
    std::vector<int> all;
    for (int k = 1; k <= 60; ++k) all.push_back(k);
    const std::vector<DecodeCase> cases{
        {"A0100000000000008", 8, {5, 30}, {1, 60}},
        {"AFFFFFFFFFFFFFFFF", 8, {}, all},  // bits beyond 60 ignored
        {"A0000000000000000", 8, all, {}},
        {"A8001000000000000", 8, {}, {8, 9}},
        {"A0000000000000010", 8, {}, {}},  // bit 4 of byte 7 would be member 61
        // One byte carries members 1..8; the rest keep their values.
        {"A05", 1, {2, 9, 60}, {1, 3, 9, 60}},
        {"A0500000000000000", 1, {12}, {1, 3, 12}},
        // Short and garbage replies: missing digits read as 0.
        {"A01", 8, {1, 2, 60}, {1}},
        {"A", 8, {1, 60}, {}},
        {"", 1, {1, 9}, {9}},
        {"AZZ01", 8, {}, {9}},
        {"A1", 8, {}, {1}},  // one digit: the hex value of the shorter text
    };
    for (const auto& c : cases) {
        GroupConfig g = GroupWith(c.before);
        DecodeMemberBytes(c.reply, c.bytes, g);
        EXPECT_EQ(MembersOf(g), c.after) << c.reply << " / " << c.bytes;
        for (int k = 1; k <= kMemberCount; ++k)
            EXPECT_TRUE(g.Members[k] == 0 || g.Members[k] == kTrue);
    }
}

TEST(MemberBytes, Encoding) {
    std::vector<int> all;
    for (int k = 1; k <= 60; ++k) all.push_back(k);
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1, 60}), 8), "0100000000000008");
    EXPECT_EQ(EncodeMemberBytes(GroupWith(all), 8), "FFFFFFFFFFFFFF0F");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({}), 8), "0000000000000000");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1, 3, 9, 60}), 1), "05");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({8, 9}), 2), "8001");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1}), 0), "01");  // at least one byte
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1}), 99).size(), 16u);
}

TEST(WholePanelMasks, GroupFlash) {
    std::array<GroupConfig, kGroupCount + 1> groups{};
    groups[1].ConstantFlash = kTrue;
    groups[60].ConstantFlash = 1;     // any non-zero value is true
    groups[0].ConstantFlash = kTrue;  // entry 0 is not a group
    EXPECT_EQ(GroupFlashWriteCommand(groups), "LW230100000000000008");

    std::array<GroupConfig, kGroupCount + 1> read{};
    read[5].ConstantFlash = kTrue;
    DecodeGroupFlash("A0300000000000008", read);
    for (int g = 1; g <= kGroupCount; ++g)
        EXPECT_EQ(read[g].ConstantFlash, (g == 1 || g == 2 || g == 60) ? kTrue : 0) << g;

    DecodeGroupFlash("A", read);
    for (int g = 1; g <= kGroupCount; ++g) EXPECT_EQ(read[g].ConstantFlash, 0) << g;
}

}  // namespace
}  // namespace kvtk
