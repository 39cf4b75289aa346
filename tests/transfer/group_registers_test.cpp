#include "transfer/group_registers.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtk {
namespace {

TEST(GroupRegisters, Commands) {
    const std::vector<std::pair<std::string, const char*>> cases{
        {GroupTypeReadCommand(1), "LR2101"},
        {GroupTypeReadCommand(16), "LR2110"},
        {GroupMembersReadCommand(1), "LR301"},
        {GroupPriorityReadCommand(60), "LR53C"},
        {GroupSerialOnReadCommand(12), "LR670C"},
        {GroupTypeWriteCommand(16, 1), "LW21101"},
        {GroupTypeWriteCommand(16, 0), "LW21100"},
        {GroupPriorityWriteCommand(3, 3), "LW5033"},
        {GroupPriorityWriteCommand(3, 0), "LW5030"},
        {GroupPriorityWriteCommand(3, -1), "LW5030"},  // one digit, never a sign
        {GroupPriorityWriteCommand(3, 12), "LW5033"},
        {GroupSerialOnWriteCommand(2, kTrue), "LW67021"},
        {GroupSerialOnWriteCommand(2, 1), "LW67021"},
        {GroupSerialOnWriteCommand(2, 0), "LW67020"},
    };
    for (const auto& [command, expected] : cases) EXPECT_EQ(command, expected);

    GroupConfig g;
    g.SetMember(1, true);
    g.SetMember(60, true);
    EXPECT_EQ(GroupMembersWriteCommand(1, g, 8), "LW3010100000000000008");
    EXPECT_EQ(GroupMembersWriteCommand(12, g, 1), "LW30C01");
}

TEST(GroupRegisters, DigitReplies) {
    struct Case {
        const char* reply;
        int16_t type;
        int16_t priority;
        int16_t serial;
    };
    const std::vector<Case> cases{
        {"A1", 1, 1, 1}, {"A0", 0, 0, 0}, {"A3", 1, 3, 3}, {"A2X", 1, 2, 2},
        {"A", 0, 0, 0},  {"", 0, 0, 0},   {"AZ", 0, 0, 0}, {"I", 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeGroupType(c.reply), c.type) << c.reply;
        EXPECT_EQ(DecodeGroupPriority(c.reply), c.priority) << c.reply;
        EXPECT_EQ(DecodeSerialOnPriority(c.reply), c.serial) << c.reply;
    }
}

}  // namespace
}  // namespace kvtk
