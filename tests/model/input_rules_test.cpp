#include "model/input_rules.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

TEST(InputRules, LinkedOnPartnersShareTypeAndTimer) {
    enum Choice { kType, kTimer };
    using enum PartnerEffect;
    const struct {
        const char* name;
        int16_t partnerType;
        Choice choice;
        int input;
        int16_t value;
        int numInputs;
        PartnerEffect effect;
        int16_t partnerTypeAfter;
        int16_t partnerTimerAfter;
    } cases[] = {
        {"linked on pairs 3 with 4", kMaintained, kType, 3, kLinkedOn, 16, kChanged, kLinkedOn, 2},
        {"and 4 with 3", kMaintained, kType, 4, kLinkedOn, 16, kChanged, kLinkedOn, 2},
        {"none past the count", kMaintained, kType, 15, kLinkedOn, 15, kMissing, kMaintained, 0},
        {"another type frees it", kLinkedOn, kType, 3, kMaintained, 16, kChanged, kMomentaryOn, 0},
        {"and leaves others", kStateChange, kType, 3, kMaintained, 15, kNone, kStateChange, 0},
        {"a linked partner takes the timer", kLinkedOn, kTimer, 4, 3, 16, kChanged, kLinkedOn, 3},
        {"another partner keeps its own", kMaintained, kTimer, 4, 3, 16, kNone, kMaintained, 0},
        {"a timer, no partner", kLinkedOn, kTimer, 15, 3, 15, kMissing, kLinkedOn, 0},
    };
    for (const auto& c : cases) {
        Configuration config;
        const int partner = LinkedOnPartner(c.input);
        config.Inputs[c.input].Timer = 2;
        config.Inputs[partner].Type = c.partnerType;
        const PartnerEffect effect = c.choice == kType
                                         ? ChooseInputType(config, c.input, c.value, c.numInputs)
                                         : ChooseInputTimer(config, c.input, c.value, c.numInputs);
        const InputConfig& chosen = config.Inputs[c.input];
        const InputConfig& other = config.Inputs[partner];
        EXPECT_EQ(effect, c.effect) << c.name;
        EXPECT_EQ(c.choice == kType ? chosen.Type : chosen.Timer, c.value) << c.name;
        EXPECT_EQ(other.Type, c.partnerTypeAfter) << c.name;
        EXPECT_EQ(other.Timer, c.partnerTimerAfter) << c.name;
    }
}

TEST(InputRules, MenuCommandsCoverEveryRecord) {
    Configuration config;
    config.Limits.MaxInputs = 16;
    SetAllInputTypes(config, kMomentaryOff);
    SetAllInputPolarities(config, 1);
    SetAllInputTimers(config, 3);
    SetAllInputFlash(config, 1);
    for (int n : {1, 16, 120}) {
        EXPECT_EQ(config.Inputs[n].Type, kMomentaryOff);
        EXPECT_EQ(config.Inputs[n].Polarity, 1);
        EXPECT_EQ(config.Inputs[n].Timer, 3);
        EXPECT_EQ(config.Inputs[n].Flash, 1);
    }

    CreateDefaultInputNames(config, false);
    EXPECT_EQ(config.Inputs[120].Name, "Input 120");
    config.Groups[60].Name = "Last";
    config.Inputs[7].Group = 60;
    config.Inputs[8].Group = 0;
    CreateDefaultInputNames(config, true);
    EXPECT_EQ(config.Inputs[7].Name, "Last");
    EXPECT_EQ(config.Inputs[8].Name, "");
}

TEST(InputRules, AutoAssignStopsAtTheLastGroup) {
    Configuration config;
    config.Limits.MaxGroups = 12;
    config.Limits.MaxInputs = 16;
    config.Limits.MinGroupNumber = 0;
    config.Groups[3].Name = "Three";
    config.Inputs[14].Group = 5;
    config.Inputs[17].Group = 5;  // beyond the input count: untouched
    AutoAssignInputGroups(config, true);
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(config.Inputs[n].Group, n);
    for (int n = 13; n <= 16; ++n) EXPECT_EQ(config.Inputs[n].Group, 0);
    EXPECT_EQ(config.Inputs[17].Group, 5);
    EXPECT_EQ(config.Inputs[3].Name, "Three");
    EXPECT_EQ(config.Inputs[4].Name, "");

    config.Inputs[3].Name = "Kept";
    AutoAssignInputGroups(config, false);
    EXPECT_EQ(config.Inputs[3].Name, "Kept");
}

}  // namespace
}  // namespace kvtk
