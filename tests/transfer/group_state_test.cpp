#include "transfer/group_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kvtk {
namespace {

TEST(GroupState, CommandsCarryTwoDigitCodes) {
    EXPECT_EQ(GroupCommand(kReportBase, 1, 12), "L0102030405060708090A0B0C");
    EXPECT_EQ(GroupCommand(kOffBase, 60, 60), "LBC");
    EXPECT_EQ(GroupCommand(kOnBase, 1, 2), "LC1C2");
    EXPECT_EQ(GroupCommand(0x83), "L83");
}

struct DecodeCase {
    const char* reply;
    int count;
    std::vector<bool> on;
    int unreadableFrom;
};

TEST(GroupState, RecordsAreWalkedByTheirLength) {
    const std::vector<DecodeCase> cases{
        {"A00010005000600", 7, {false, true, false, true, false, false, false}, -1},
        // Code 4 carries input and time: 8 characters, next record after them.
        {"A0405001001", 2, {true, true}, -1},
        {"A0405001000", 2, {true, false}, -1},
        // Codes 2 and 3 carry the input number: 4 characters.
        {"A020301030A01", 3, {false, true, true}, -1},
        // A non-digit code counts as 0: off, 2 characters.
        {"A0X01", 2, {false, true}, -1},
        // A short reply: the missing groups read as off.
        {"A01", 3, {true, false, false}, -1},
        {"", 2, {false, false}, -1},
        // Codes 7 to 9 cannot be placed: the rest of the batch is unreadable
        // instead of being read from the same position.
        {"A0107010101", 4, {true, false, false, false}, 1},
        {"A09", 1, {false}, 0},
    };
    for (const auto& c : cases) {
        const GroupStates states = DecodeGroupStates(c.reply, c.count);
        EXPECT_EQ(states.On, c.on) << c.reply;
        EXPECT_EQ(states.UnreadableFrom, c.unreadableFrom) << c.reply;
    }
}

// Which text a status digit gives; the texts' wording is checked by a word.
TEST(GroupState, StatusDigitTexts) {
    const std::string cannot =
        "  It can not be controlled by serial commands with firmware versions < 4.00.";
    const std::vector<std::tuple<char, double, std::string, std::vector<std::string>>> cases{
        {'0', 4.0, "x", {"operating mode"}},
        {'1', 4.0, "x", {"Group 7 is in flash state."}},
        {'4', 4.0, "x", {"not been commanded"}},
        {'2', 3.5, "x", {"Error! At least one relay in group 7", "Bad Relays"}},
        {'3', 4.0, "x", {"Group 7 is in a flash state.  --  Error!"}},
        {'3', 3.5, "Old text.", {"Old text." + cannot}},
        {'3', 3.5, "Old text." + cannot, {"Old text." + cannot}},  // not stacked up
        {'6', 4.0, "x", {"Group 7 has not been commanded since power up.--  Error!"}},
        {'8', 3.5, "x", {"manual mode", "ignored"}},
        {'8', 4.0, "x", {"Device is in manual mode."}},
        {'5', 4.0, "kept", {"kept"}},
        {'\0', 4.0, "kept", {"kept"}},
    };
    for (const auto& [digit, firmware, current, words] : cases) {
        const std::string text = StatusDigitText(digit, 7, firmware, current);
        for (const auto& word : words)
            EXPECT_NE(text.find(word), std::string::npos) << digit << " " << firmware << text;
    }
}

TEST(GroupState, LastSwitchedTexts) {
    const std::string lead = "Group 12 was last turned ";
    const std::vector<std::pair<const char*, std::string>> cases{
        {"A01", lead + "on by serial command."},
        {"A020A", lead + "off by input 10."},
        {"A0378", lead + "on by input 120."},
        {"A04050E10", lead + "on by input 5 with timer.  Time remaining is 01:00:00(hh:mm:ss)."},
        {"A0405", lead + "on by input 5 with timer.  Time remaining is (hh:mm:ss)."},
        {"A06", lead + "off by manual override."},
        {"A07", lead},
        {"A0", lead},
    };
    for (const auto& [reply, expected] : cases) EXPECT_EQ(LastSwitchedText(12, reply), expected);
}

// Only firmware below 4.00 mentions manual mode.
TEST(GroupState, RefusalAndComplianceTextsByFirmware) {
    const std::vector<std::function<std::string(double)>> texts{
        [](double fw) { return RefusedToggleText(9, fw); }, AllGroupsComplianceText,
        GroupCommandComplianceText};
    for (const auto& text : texts) {
        EXPECT_NE(text(3.99).find("or the device may be in manual mode."), std::string::npos);
        EXPECT_EQ(text(4.0).find("manual mode"), std::string::npos) << text(4.0);
    }
    EXPECT_EQ(RefusedToggleText(9, 4.0).rfind("Group 9 refused to change states.", 0), 0u);
}

}  // namespace
}  // namespace kvtk
