#include "sim/sim_panel.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kvtk {
namespace {

using Reply = std::optional<std::string>;

TEST(SimPanelLive, GroupRecordsAndSwitching) {
    SimPanel panel(1, "WQ16", "0500");
    EXPECT_EQ(panel.Handle("L01"), Reply("A40"));  // not commanded since power up
    panel.Group(2) = {'0', 3, 0x12, 0, false};
    panel.Group(3) = {'0', 4, 5, 0x0E10, false};
    panel.Group(4) = {'2', 6, 0, 0, false};
    // Records of 4, 8 and 2 characters follow each other without separator.
    EXPECT_EQ(panel.Handle("L02030401"), Reply("A0312"
                                               "04050E10"
                                               "26"
                                               "40"));

    panel.Group(5).locked = true;
    EXPECT_EQ(panel.Handle("LC5"), Reply("A40"));  // refused

    // A supergroup switches its member groups.
    EXPECT_EQ(panel.Handle("LW21061"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LW3060600000000000000"), Reply("AY"));  // groups 2 and 3
    EXPECT_EQ(panel.Handle("LC6"), Reply("A01"));
    EXPECT_TRUE(panel.GroupOn(2));
    EXPECT_TRUE(panel.GroupOn(3));
    EXPECT_EQ(panel.Handle("L03"), Reply("A01"));
}

}  // namespace
}  // namespace kvtk
