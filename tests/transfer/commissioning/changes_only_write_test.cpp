#include <gtest/gtest.h>

#include "sim/sim_panel.h"
#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"
#include "transfer/commissioning/commissioned_write.h"
#include "transfer/commissioning/panel_before_write.h"

namespace kvtk {
namespace {

using R = CommissionedWriteResult;

// A scripted panel whose registers are a simulated panel's, so that what a
// write stores is what the next read finds.
struct PanelWithMemory {
    SimPanel Sim{1, "WQ16", "5.00"};
    test::ScriptedPanel Line;
    std::string CancelAt;  // this command is cancelled (empty reply)
    std::string IgnoreAt;  // this read is skipped ("I", the user's Ignore)

    PanelWithMemory() {
        Line.Responder = [this](int, const std::string& command) -> std::string {
            if (command == CancelAt) return "";
            if (command == IgnoreAt) return "I";
            const auto reply = Sim.Handle(command);
            return reply ? *reply : "T";
        };
    }
    // Every command but the reads, in order.
    std::string Writes() const {
        std::string out;
        for (const std::string& command : Line.Commands())
            if (command.rfind("LR", 0) != 0) out += (out.empty() ? "" : " ") + command;
        return out;
    }
};

Configuration FileConfig() {
    Configuration config = test::OnlineConfigFor("WQ16", "5.00");
    config.Panel.NumInputs = "4";
    config.Inputs[2].Timer = 1;
    config.Groups[1].Priority = 2;
    return config;
}

// The panel holds `held` as a full write leaves it.
void Hold(PanelWithMemory& panel, const Configuration& held) {
    test::RecordingHost host;
    WriteOptions all;
    all.GroupCount = held.Limits.MaxGroups;
    ASSERT_EQ(WriteConfiguration(held, all, panel.Line, host).Result, WriteResult::Saved);
    panel.Line.Calls.clear();
}

// Only what differs goes out, in the full write's order, between "LSWEN"
// and the save; what the read did not see is always sent.
TEST(ChangesOnlyWrite, SendsWhatDiffersBetweenWriteEnableAndSave) {
    const struct {
        const char* name;
        std::function<void(Configuration&)> change;  // the file against what the panel holds
        std::string cancelAt, ignoreAt;
        bool confirm;
        R result;
        std::string writes;
    } cases[] = {
        {"one input", [](Configuration& c) { c.Inputs[3].Timer = 2; }, "", "", true, R::Saved,
         "LSWEN LW9030243 LSAVE_EN LSYS_SAVE"},
        {"header and group, in write order",
         [](Configuration& c) {
             c.Groups[2].SerialOnPriority = IsOn(c.Groups[2].SerialOnPriority) ? 0 : 1;
             c.Panel.TimerDuration[1] = "01:30";
         },
         "", "", true, R::Saved, "LSWEN LW411518 LW67020 LSAVE_EN LSYS_SAVE"},
        {"inputs above the panel's count", [](Configuration& c) { c.Panel.NumInputs = "6"; }, "",
         "", true, R::Saved, "LSWEN LW6506 LW9050045 LW9060046 LSAVE_EN LSYS_SAVE"},
        {"a register the read skipped", [](Configuration&) {}, "", "LR902", true, R::Saved,
         "LSWEN LW9020142 LSAVE_EN LSYS_SAVE"},
        {"nothing differs", [](Configuration&) {}, "", "", true, R::NothingToChange, ""},
        {"cancelled", [](Configuration& c) { c.Inputs[3].Timer = 2; }, "LW9030243", "", true,
         R::WriteStopped, "LSWEN LW9030243 LSU"},
        {"differences declined", [](Configuration& c) { c.Inputs[3].Timer = 2; }, "", "", false,
         R::NotConfirmed, ""},
    };
    for (const auto& c : cases) {
        PanelWithMemory panel;
        Configuration file = FileConfig();
        Hold(panel, file);
        c.change(file);
        panel.CancelAt = c.cancelAt;
        panel.IgnoreAt = c.ignoreAt;
        test::RecordingHost host;
        CommissionedWriteRequest request;
        request.Options.GroupCount = file.Limits.MaxGroups;
        request.Options.ChangesOnly = true;
        request.Backup = false;
        std::vector<ConfigDifference> shown;
        request.ConfirmDifferences = [&](const std::vector<ConfigDifference>& list) {
            shown = list;
            return c.confirm;
        };

        const CommissionedWriteOutcome outcome = CommissionedWrite(file, request, panel.Line, host);

        EXPECT_EQ(outcome.Result, c.result) << c.name;
        EXPECT_EQ(panel.Writes(), c.writes) << c.name;
        EXPECT_TRUE(outcome.Compared) << c.name;
        EXPECT_EQ(shown.size(), outcome.Differences.size()) << c.name;
        // The panel is read first in every case, and in full.
        EXPECT_EQ(panel.Line.Calls.front().Description, "Read: Maximum Number of Inputs") << c.name;
        std::vector<int> waits;
        for (const TimedWait& wait : host.Waits) waits.push_back(wait.Milliseconds);
        const std::vector<int> expectedWaits = c.result == R::Saved          ? std::vector{5000}
                                               : c.result == R::WriteStopped ? std::vector{1000}
                                                                             : std::vector<int>{};
        EXPECT_EQ(waits, expectedWaits) << c.name;
    }
}

// The list before a write is verify's comparison, and taking it writes nothing.
TEST(ChangesOnlyWrite, ReadBeforeWriteListsTheDifferencesAndOnlyReads) {
    PanelWithMemory panel;
    Configuration file = FileConfig();
    Hold(panel, file);
    file.Inputs[3].Timer = 2;
    test::RecordingHost host;
    WriteOptions options;
    options.GroupCount = file.Limits.MaxGroups;

    const PanelBeforeWrite before = ReadBeforeWrite(file, options, panel.Line, host);

    EXPECT_EQ(panel.Writes(), "");
    ASSERT_EQ(before.Differences.size(), 1u);
    EXPECT_EQ(DifferenceLine(before.Differences[0]), "Input 3 timer: file 2, panel 0");
}

}  // namespace
}  // namespace kvtk
