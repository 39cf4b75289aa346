#include "model/configuration.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

TEST(Configuration, StartUpInputsAndGroups) {
    const Configuration config;
    for (int n : {1, 7, 60, 61, 120}) {
        const InputConfig expected{"", kMomentaryOn, 0, static_cast<int16_t>((n - 1) % 60 + 1), 0,
                                   0};
        EXPECT_TRUE(config.Inputs[n] == expected) << n;
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        GroupConfig expected{"", 0, {}, 0, kTrue, 0};  // each group its own only member
        expected.SetMember(g, true);
        EXPECT_TRUE(config.Groups[g] == expected) << g;
    }
}

}  // namespace
}  // namespace kvtk
