// The undo history: steps only for real changes, the bound, a new step
// dropping what could be redone, and the line's reports left as they are.
#include "model/config_history.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

Configuration Named(const std::string& name) {
    Configuration c;
    c.Inputs[1].Name = name;
    return c;
}

TEST(ConfigHistory, KeepsAtMostItsLimitOfRealSteps) {
    Configuration config = Named("0");
    ConfigHistory history(config, 3);
    EXPECT_FALSE(history.Record(config, "Nothing"));
    for (int i = 1; i <= 5; ++i) {
        config = Named(std::to_string(i));
        history.Record(config, "Step " + std::to_string(i));
    }
    EXPECT_EQ(history.UndoCount(), 3u);
    while (history.Undo(config)) {
    }
    EXPECT_EQ(config, Named("2"));  // steps 1 and 2 were dropped, oldest first
    ASSERT_TRUE(history.Redo(config));
    config.Inputs[2].Name = "new";
    ASSERT_TRUE(history.Record(config, "Other"));
    EXPECT_FALSE(history.CanRedo());
}

TEST(ConfigHistory, UndoKeepsTheLineReportsOfNow) {
    Configuration config;
    ConfigHistory history(config);
    config.Inputs[1].Name = "x";
    history.Record(config, "Rename");
    config.Status.Connection = PanelConnection::Serial(1);
    config.AddressTable[4].Record(ProbeState::Answered, {"WQ16", "5.00"});
    EXPECT_FALSE(history.Record(config, "Scan"));  // a report is no step
    ASSERT_TRUE(history.Undo(config));
    EXPECT_EQ(config.Inputs[1].Name, "");
    EXPECT_EQ(config.Status.Connection, PanelConnection::Serial(1));
    EXPECT_EQ(config.AddressTable[4].Identity.Model, "WQ16");
}

}  // namespace
}  // namespace kvtk
