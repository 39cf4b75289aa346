#include "transfer/live/group_monitor.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_panel.h"
#include "tests/support/fake_panel.h"
#include "transfer/live/group_state.h"

namespace kvtk {
namespace {

TEST(GroupState, CommandsCarryTwoDigitCodes) {
    EXPECT_EQ(GroupCommand(kReportBase, 1, 12), "L0102030405060708090A0B0C");
    EXPECT_EQ(GroupCommand(kOffBase, 60, 60), "LBC");
    EXPECT_EQ(GroupCommand(kOnBase, 1, 2), "LC1C2");
}

TEST(GroupState, RecordsAreWalkedByTheirLength) {
    // reply, groups asked for, on, first unreadable (-1: none)
    const std::vector<std::tuple<const char*, int, std::vector<bool>, int>> cases{
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
    for (const auto& [reply, count, on, unreadableFrom] : cases) {
        const GroupStates states = DecodeGroupStates(reply, count);
        EXPECT_EQ(states.On, on) << reply;
        EXPECT_EQ(states.UnreadableFrom, unreadableFrom) << reply;
    }
}

// The texts of status digits, last-switched replies and firmware, each by
// the words that tell it apart.
TEST(GroupState, StatusDigitTexts) {
    const std::string cannot =
        "  It can not be controlled by serial commands with firmware versions < 4.00.";
    EXPECT_EQ(StatusDigitText('3', 7, 3.5, "Old."), "Old." + cannot);
    EXPECT_EQ(StatusDigitText('3', 7, 3.5, "Old." + cannot), "Old." + cannot);  // not stacked up
    EXPECT_EQ(StatusDigitText('5', 7, 4.0, "kept"), "kept");
    EXPECT_EQ(StatusDigitText('\0', 7, 4.0, "kept"), "kept");
    EXPECT_EQ(LastSwitchedText(12, "A07"), "Group 12 was last turned ");
    EXPECT_EQ(LastSwitchedText(12, "A0"), "Group 12 was last turned ");
    const std::vector<std::pair<std::string, std::string>> words{
        {StatusDigitText('8', 7, 4.0, "x"), "Device is in manual mode."},
        {LastSwitchedText(12, "A01"), "on by serial command."},
        {LastSwitchedText(12, "A020A"), "off by input 10."},
        {LastSwitchedText(12, "A0378"), "on by input 120."},
        {LastSwitchedText(12, "A04050E10"), "input 5 with timer.  Time remaining is 01:00:00("},
        {LastSwitchedText(12, "A0405"), "Time remaining is (hh:mm:ss)."},
        {LastSwitchedText(12, "A05"), "on by manual override."},
        {LastSwitchedText(12, "A06"), "off by manual override."},
        {StatusDigitText('0', 7, 4.0, "x"), "operating mode"},
        {StatusDigitText('1', 7, 4.0, "x"), "Group 7 is in flash state."},
        {StatusDigitText('2', 7, 3.5, "x"), "Error! At least one relay in group 7"},
        {StatusDigitText('3', 7, 4.0, "x"), "Group 7 is in a flash state.  --  Error!"},
        {StatusDigitText('4', 7, 4.0, "x"), "not been commanded"},
        {StatusDigitText('6', 7, 4.0, "x"), "not been commanded since power up.--  Error!"},
        {StatusDigitText('8', 7, 3.5, "x"), "ignored during manual mode"},
        {RefusedToggleText(9, 4.0), "Group 9 refused to change states."},
    };
    for (const auto& [text, word] : words) EXPECT_NE(text.find(word), std::string::npos) << text;
    // Only firmware below 4.00 mentions manual mode.
    for (const auto& text : std::vector<std::function<std::string(double)>>{
             [](double fw) { return RefusedToggleText(9, fw); }, AllGroupsComplianceText,
             GroupCommandComplianceText}) {
        EXPECT_NE(text(3.99).find("or the device may be in manual mode."), std::string::npos);
        EXPECT_EQ(text(4.0).find("manual mode"), std::string::npos) << text(4.0);
    }
}

class GroupMonitorTest : public ::testing::Test {
protected:
    GroupMonitorTest() {
        config.Panel.Address = "9";
        config.Identity = {"KV-4900", "4.00"};
        config.Limits.MaxGroups = 12;
        exchange.Responder = [this](int, const std::string& c) { return Answer(c); };
    }

    // Opens the window and forgets the opening's exchanges.
    void OpenQuietly() {
        ASSERT_TRUE(monitor.Open());
        exchange.Calls.clear();
    }

    Configuration config;
    // A simulated panel: its groups follow the switch codes unless locked.
    std::string Answer(const std::string& command) { return panel.Handle(command).value_or("T"); }
    SimPanel panel{9, "KV-4900", "4.00"};
    test::ScriptedPanel exchange;
    GroupMonitor monitor{exchange, config};
};

TEST_F(GroupMonitorTest, OpeningReadsOnceAndForgetsEarlierRequests) {
    monitor.PostAllOff();
    monitor.PostToggle(2);
    monitor.PostStatusQuery(3);
    monitor.PostGroupOn(1);
    ASSERT_TRUE(monitor.Open());
    EXPECT_TRUE(monitor.Running());
    EXPECT_EQ(monitor.PendingAllGroups() + monitor.PendingToggle() + monitor.PendingStatusQuery() +
                  monitor.PendingGroupCommand(),
              0);
    ASSERT_EQ(exchange.Calls.size(), 1u);
    EXPECT_EQ(exchange.Calls[0].Address, 9);
    EXPECT_EQ(exchange.Calls[0].Style, FailureStyle::RetryCancel);
    EXPECT_TRUE(monitor.RowVisible(12));
    EXPECT_FALSE(monitor.RowVisible(13));

    exchange.Queued = {""};
    EXPECT_FALSE(monitor.Open());
    EXPECT_FALSE(monitor.Running());
}

// One pass after each action: what it sends, the two text panels and the
// indicator that takes the focus. Group 3 starts on; the panel has 4 relays;
// group 7 does not follow the switch.
TEST_F(GroupMonitorTest, DoubleClickSwitchesToTheOtherState) {
    const std::string report = " " + GroupCommand(kReportBase, 1, 12);
    struct Step {
        std::function<void()> act;
        std::string sent;
        std::string status;
        std::string note;
        std::optional<int> focus;
    };
    const std::vector<Step> steps{
        {[] {}, report.substr(1), "", "", std::nullopt},
        {[&] {
             monitor.PostStatusQuery(3);  // a double click clicks first
             monitor.PostToggle(3);
             monitor.PostToggle(4);  // one toggle at a time
         },
         "L83" + report, "Relays that should be turned off:  3", kRelaysRemainOnNote, 3},
        {[&] { monitor.PostToggle(3); }, "LC3" + report, "Relays that should be turned on:  3", "",
         3},
        // Members above the panel's relays are left out; a supergroup's are groups.
        {[&] { monitor.PostToggle(5); }, "LC5" + report, "Relays that should be turned on:  2", "",
         5},
        {[&] { monitor.PostToggle(6); }, "LC6" + report, "Groups that should be turned on:  6 11",
         "", 6},
        {[&] { monitor.PostToggle(7); }, "LC7" + report, RefusedToggleText(7, 4.0), "", 7},
        {[&] {
             exchange.Queued = {"A8378"};
             monitor.PostStatusQuery(4);
             monitor.PostStatusQuery(5);  // one query at a time
         },
         "L04", "Device is in manual mode.", "Group 4 was last turned on by input 120.", 4},
        {[&] {
             exchange.Queued = {"A41"};
             monitor.PostStatusQuery(4);
         },
         "L04", "Group 4 has not been commanded since power up.", "", 4},
        {[&] { monitor.PostAllOn(); }, GroupCommand(kOnBase, 1, 12), AllGroupsComplianceText(4.0),
         "", std::nullopt},
    };
    panel.Handle("LC3");
    panel.Group(7).locked = true;
    panel.SetRegister("64", "04");
    config.Groups[5].SetMember(2, true);
    config.Groups[5].SetMember(5, false);
    config.Groups[5].SetMember(60, true);
    config.Groups[6].Type = 1;
    config.Groups[6].SetMember(11, true);
    OpenQuietly();
    for (const Step& step : steps) {
        step.act();
        monitor.RunPass();
        EXPECT_EQ(exchange.Sent(), step.sent);
        EXPECT_EQ(monitor.StatusText(), step.status) << step.sent;
        EXPECT_EQ(monitor.NoteText(), step.note) << step.sent;
        EXPECT_EQ(monitor.TakeServedGroup(), step.focus) << step.sent;
        exchange.Calls.clear();
    }
    EXPECT_FALSE(monitor.IndicatorOn(7));
    EXPECT_TRUE(monitor.IndicatorOn(12));

    // A record that cannot be placed leaves the rest of the batch unreadable, not off.
    exchange.Queued = {"A0107"};
    monitor.RunPass();
    EXPECT_FALSE(monitor.IndicatorUnreadable(1));
    EXPECT_TRUE(monitor.IndicatorUnreadable(2));
    EXPECT_TRUE(monitor.IndicatorUnreadable(12));
}

TEST_F(GroupMonitorTest, OneRequestPerPassInFixedOrder) {
    OpenQuietly();
    monitor.PostGroupOff(6);
    monitor.PostGroupOn(6);  // replaces the pending one
    monitor.PostAllOff();
    monitor.PostAllOff();  // pressed twice, sent once
    monitor.PostToggle(1);
    monitor.PostStatusQuery(3);  // the toggle clears it, as a double click's first click
    monitor.RunPass();
    monitor.PostStatusQuery(2);
    for (int pass = 0; pass < 3; ++pass) monitor.RunPass();
    EXPECT_EQ(exchange.Commands(),
              (std::vector<std::string>{"LC1", GroupCommand(kReportBase, 1, 12),
                                        GroupCommand(kOffBase, 1, 12), "L02", "LC6",
                                        GroupCommand(kReportBase, 1, 12)}));
    EXPECT_EQ(monitor.StatusText(), GroupCommandComplianceText(4.0));
    EXPECT_TRUE(monitor.IndicatorOn(6));
}

TEST_F(GroupMonitorTest, LoopEndsOnCancelOrClose) {
    OpenQuietly();
    int passes = 0;
    do {
        monitor.RunPass();
        if (++passes == 3) {
            monitor.PostStatusQuery(2);  // posted, then the close box
            monitor.Stop();
        }
    } while (monitor.KeepRunning());
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(exchange.Calls.size(), 3u);  // the query is never sent
    EXPECT_FALSE(monitor.Running());
    EXPECT_TRUE(monitor.Open());
    EXPECT_EQ(monitor.PendingStatusQuery(), 0);

    // Closed during the first of two batches: the second is not sent.
    config.Limits.MaxGroups = 60;
    exchange.Calls.clear();
    exchange.Responder = [this](int, const std::string& c) {
        monitor.Stop();
        return Answer(c);
    };
    monitor.RunPass();
    EXPECT_EQ(exchange.Sent(), GroupCommand(kReportBase, 1, 30));
    EXPECT_FALSE(monitor.KeepRunning());
    exchange.Responder = [this](int, const std::string& c) { return Answer(c); };
    EXPECT_TRUE(monitor.Open());

    // A cancelled group command ends the loop without another exchange.
    exchange.Calls.clear();
    exchange.Queued = {""};
    monitor.PostGroupOn(1);
    passes = 0;
    do {
        monitor.RunPass();
        ++passes;
    } while (monitor.KeepRunning());
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(exchange.Calls.size(), 1u);
}

}  // namespace
}  // namespace kvtk
