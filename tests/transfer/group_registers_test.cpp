#include "transfer/group_registers.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtk {
namespace {

// The plain commands are on the wire in the read and write tests; here the
// values outside what a field holds.
TEST(GroupRegisters, Commands) {
    const std::vector<std::pair<std::string, const char*>> cases{
        {GroupPriorityWriteCommand(3, -1), "LW5030"},  // one digit, never a sign
        {GroupPriorityWriteCommand(3, 12), "LW5033"},
        {GroupSerialOnWriteCommand(2, 1), "LW67021"},  // any non-zero value is on
    };
    for (const auto& [command, expected] : cases) EXPECT_EQ(command, expected);
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
