#include "model/configuration.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

TEST(Configuration, StartUpInputsAndGroups) {
    const Configuration config;
    EXPECT_EQ(config.Inputs[1].Group, 1);
    EXPECT_EQ(config.Inputs[60].Group, 60);
    EXPECT_EQ(config.Inputs[61].Group, 1);
    EXPECT_EQ(config.Inputs[120].Group, 60);
    EXPECT_EQ(config.Inputs[7].Type, kMomentaryOn);
    EXPECT_EQ(config.Inputs[7].Timer, 0);
    EXPECT_FALSE(IsOn(config.Inputs[7].Flash));
    for (int g = 1; g <= kGroupCount; ++g) {
        for (int m = 1; m <= kMemberCount; ++m)
            EXPECT_EQ(config.Groups[g].HasMember(m), m == g) << g << "/" << m;
        EXPECT_EQ(config.Groups[g].Type, 0);
        EXPECT_EQ(config.Groups[g].SerialOnPriority, kTrue);
        EXPECT_FALSE(IsOn(config.Groups[g].ConstantFlash));
    }
}

TEST(Configuration, CountValueNeverOverflows) {
    EXPECT_EQ(CountValue("16"), 16);
    EXPECT_EQ(CountValue(""), 0);
    EXPECT_EQ(CountValue("abc"), 0);
    EXPECT_EQ(CountValue("99999999999999999999"), 2147483647);
}

}  // namespace
}  // namespace kvtk
