#include "model/group_setup_rules.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

TEST(GroupSetupRules, DigitsThatWouldPassTheHighestGroupAreRefused) {
    const struct {
        const char* text;
        int start;
        int length;
        char digit;
        int maxGroups;
        bool accepted;
    } cases[] = {
        {"", 0, 0, '7', 60, true},    {"7", 1, 0, '1', 60, false}, {"6", 1, 0, '0', 60, true},
        {"6", 1, 0, '1', 60, false},  {"7", 0, 1, '1', 60, true},  {"1", 0, 0, '3', 12, false},
        {"12", 1, 1, '9', 12, false}, {"12", 0, 2, '9', 12, true}, {"9", 5, 3, '0', 30, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroupDigitAccepted(c.text, c.start, c.length, c.digit, c.maxGroups), c.accepted)
            << c.text << " + " << c.digit;
}

TEST(GroupSetupRules, AutoAssignNeedsARelay) {
    Configuration config;
    config.Groups[2].SetMember(5, true);
    EXPECT_FALSE(AutoAssignRelays(config, 0));
    EXPECT_TRUE(config.Groups[2].HasMember(5));
    EXPECT_TRUE(AutoAssignRelays(config, 60));
    EXPECT_TRUE(config.Groups[60].HasMember(60));
    EXPECT_FALSE(config.Groups[2].HasMember(5));
}

TEST(GroupSetupRules, FlashBeforeOffNeedsFirmware118) {
    EXPECT_FALSE(GroupFlashAllowed("1.17"));
    EXPECT_TRUE(GroupFlashAllowed("1.18"));
    EXPECT_TRUE(GroupFlashAllowed("5.00"));
}

TEST(GroupSetupRules, ListsEntriesByNumberAndName) {
    Configuration config;
    config.Groups[4].Type = kSuperGroup;
    config.Groups[4].Name = "All";
    config.Groups[4].SetMember(2, true);
    config.Groups[9].Type = kSuperGroup;
    config.Groups[9].SetMember(2, true);
    config.Groups[7].SetMember(2, true);  // a normal group's relay 2, not group 2
    EXPECT_EQ(ContainingSupergroupEntries(config, 2), (std::vector<std::string>{"4=All", "9"}));
    config.Groups[50].Name = "Late";
    EXPECT_EQ(GroupNameEntries(config, 12).size(), 1u);
    EXPECT_EQ(GroupNameEntries(config, 60).size(), 2u);
}

}  // namespace
}  // namespace kvtk
