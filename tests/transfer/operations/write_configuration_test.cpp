#include "transfer/operations/write_configuration.h"

#include <gtest/gtest.h>

#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using test::OnlineConfigFor;
using test::RecordingHost;
using test::ScriptedPanel;
using Commands = std::vector<std::string>;

WriteOptions Only(bool header, bool inputs, bool groups, int32_t groupCount = 0) {
    WriteOptions options;
    options.Header = header;
    options.Inputs = inputs;
    options.Groups = groups;
    options.GroupCount = groupCount;
    return options;
}

size_t CountPrefix(const Commands& commands, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(
        commands.begin(), commands.end(), [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
}

// Header, inputs and groups in their order, each with the style that offers
// Retry and Cancel, then the save and its pause.
TEST(WriteConfiguration, WholeConfigurationInCommandOrder) {
    Configuration config = OnlineConfigFor("WQ16", "5.00");
    config.Panel.NumInputs = "3";
    config.Panel.SpecialOptions = 3;
    config.Inputs[2] = {"", kLinkedOn, 1, 12, 2, kTrue};
    config.Groups[2].Type = 1;
    config.Groups[2].Priority = 3;
    config.Groups[2].SerialOnPriority = 0;
    config.Groups[2].ConstantFlash = kTrue;
    std::vector<std::string> log;
    ScriptedPanel panel(&log);
    RecordingHost host(&log);

    const WriteOutcome outcome = WriteConfiguration(config, Only(true, true, true, 2), panel, host);

    EXPECT_EQ(panel.Sent(),
              "LSWEN LW6503 LW6408 LW610258 LW6205 LW410E10 LW421C20 LW432A30 LW6600 LW6304 LW2403 "
              "LW9010041 LW902C64C LW9030043 "
              "LW21010 LW3010100000000000000 LW5010 LW67011 "
              "LW21021 LW3020200000000000000 LW5023 LW67020 LW230200000000000000 "
              "LSAVE_EN LSYS_SAVE");
    for (const auto& [command, description] :
         {std::pair{"LW902C64C", "Input 2"},
          {"LW21021", "Group 2 is a super group"},
          {"LW3010100000000000000", "Group 1 write Relays in group"},
          {"LW3020200000000000000", "Group 2 write Groups in super group"}}) {
        const test::ExchangeCall* call = panel.Find(command);
        ASSERT_NE(call, nullptr) << command;
        EXPECT_EQ(call->Description, description);
    }
    for (const auto& call : panel.Calls) EXPECT_EQ(call.Style, FailureStyle::RetryCancel);
    EXPECT_EQ(outcome.Result, WriteResult::Saved);
    EXPECT_EQ(outcome.InputsWritten, 3);
    EXPECT_EQ(Commands(log.end() - 3, log.end()),
              (Commands{">LSYS_SAVE", "wait 5000", "finished Write completed"}));
}

// The front ends see a write as "started" with its step count, a step per
// header row, input and group (n of N), and "finished" with its outcome,
// in order with the commands.
TEST(WriteConfiguration, ReportsItsStepsInOrder) {
    Configuration config = OnlineConfigFor("WQ16", "2.00");  // header rows 2 to 10
    config.Panel.NumInputs = "1";
    std::vector<std::string> log;
    ScriptedPanel panel(&log);
    panel.AnswerPrefix("LW3", "").AnswerPrefix("L", "A");  // cancelled at group 1's members
    RecordingHost host(&log);

    WriteConfiguration(config, Only(true, true, true, 2), panel, host);

    EXPECT_EQ(host.Events.front(), "started Write of 12");
    EXPECT_EQ(host.Events[1], "step Input Count = " + config.Panel.NumInputs + " (1 of 12)");
    EXPECT_EQ(host.Events[10], "step Input 1 (10 of 12)");
    EXPECT_EQ(host.Events[11], "step Group 1 (11 of 12)");
    EXPECT_EQ(host.Events.back(), "finished Write stopped");
    EXPECT_EQ(host.Events.size(), 13u);
    const auto at = [&log](const std::string& start) {
        return std::find_if(log.begin(), log.end(),
                            [&](const std::string& e) { return e.rfind(start, 0) == 0; }) -
               log.begin();
    };
    EXPECT_LT(at("started Write of 12"), at(">LSWEN"));
    EXPECT_LT(at(">LW901"), at("step Input 1 (10 of 12)"));
    EXPECT_LT(at("step Input 1"), at(">LW2101"));
    EXPECT_LT(at(">LSU"), at("finished Write stopped"));
}

TEST(WriteConfiguration, ProductAndFirmwareShapeTheGroupWrite) {
    // model, firmware, groups the limits allow (0: as the product's rules
    // say), groups to write, groups written, group 1's members
    for (const auto& [model, version, maxGroups, groupCount, priorities, firstMembers] :
         std::vector<std::tuple<const char*, const char*, int32_t, int32_t, size_t, const char*>>{
             {"KV-4800", "3.00", 0, 1, 1, "LW30101"},  // one member byte
             {"KV-4600", "1.09", 0, 60, 30, "LW3010100000000000000"},
             {"KV-4600", "1.10", 0, 60, 60, "LW3010100000000000000"},
             // Below 1.10 the write never reaches group 60, whatever the limits say.
             {"KV-4600", "1.09", kGroupCount, 60, 59, "LW3010100000000000000"},
         }) {
        Configuration config = OnlineConfigFor(model, version);
        if (maxGroups > 0) config.Limits.MaxGroups = maxGroups;
        ScriptedPanel panel;
        RecordingHost host;
        WriteConfiguration(config, Only(false, false, true, groupCount), panel, host);
        const Commands commands = panel.Commands();
        EXPECT_EQ(CountPrefix(commands, "LW5"), priorities) << model << " " << version;
        EXPECT_NE(panel.Find(firstMembers), nullptr) << model << " " << version;
        EXPECT_EQ(commands.back(), "LSYS_SAVE");
    }
}

// A cancel at any step sends nothing more than the write disable: no later
// register and above all no save of a half-written configuration.
TEST(WriteConfiguration, CancelAtEveryStepStopsAndDisablesWriting) {
    Configuration config = OnlineConfigFor("WQ16", "1.11");  // saves twice
    config.Panel.NumInputs = "2";
    const WriteOptions all = Only(true, true, true, 2);
    ScriptedPanel full;
    RecordingHost fullHost;
    WriteConfiguration(config, all, full, fullHost);
    const Commands sequence = full.Commands();
    ASSERT_EQ(CountPrefix(sequence, "LSYS_SAVE"), 2u);

    for (size_t step = 0; step < sequence.size(); ++step) {
        ScriptedPanel panel;
        panel.Responder = [&, sent = size_t{0}](int, const std::string&) mutable {
            return sent++ == step ? std::string() : std::string("AY");
        };
        RecordingHost host;
        EXPECT_EQ(WriteConfiguration(config, all, panel, host).Result, WriteResult::Cancelled);
        Commands expected(sequence.begin(), sequence.begin() + static_cast<long>(step) + 1);
        expected.push_back("LSU");
        EXPECT_EQ(panel.Commands(), expected) << "cancelled at " << sequence[step];
        ASSERT_EQ(host.Waits.size(), 1u);
        EXPECT_EQ(host.Waits[0].Kind, WaitKind::WriteDisablePause);
    }
}

// Firmware "1.11" (the text, not the number) saves twice; the pause after
// saving depends on product and firmware.
TEST(WriteConfiguration, SaveCountDependsOnFirmwareText) {
    // model, firmware, saves, pause after saving
    for (const auto& [model, version, saves, waitMs] :
         std::vector<std::tuple<const char*, const char*, size_t, int>>{
             {"KV-4900", "1.11", 2, 25000},
             {"KV-4800", "1.11", 1, 0},
             {"KV-4900", "1.110", 1, 25000},
             {"KV-4800", "4.00", 1, 5000},
             {"TMC-1400", "3.99", 1, 25000}}) {
        ScriptedPanel panel;
        RecordingHost host;
        WriteConfiguration(OnlineConfigFor(model, version), Only(false, true, false), panel, host);
        EXPECT_EQ(CountPrefix(panel.Commands(), "LSAVE_EN"), saves) << version;
        EXPECT_EQ(CountPrefix(panel.Commands(), "LSYS_SAVE"), saves) << version;
        EXPECT_EQ(SavingWait({model, version}).Milliseconds, waitMs) << model << version;
    }
}

TEST(WriteConfiguration, CountsWithoutRegistersBehindThemAreCut) {
    // model, inputs, groups to write, inputs written, groups written
    for (const auto& [model, inputs, groupCount, inputsWritten, groupsUsed] :
         std::vector<std::tuple<std::string, const char*, int32_t, size_t, size_t>>{
             {"WQ16", "200", 60, 120, 60},
             {"KV-4800", "16", 99, 16, 12},
             {"WQ16", "-5", -3, 0, 0},
         }) {
        Configuration config = OnlineConfigFor(model, model == "WQ16" ? "5.00" : "3.00");
        config.Panel.NumInputs = inputs;
        ScriptedPanel panel;
        RecordingHost host;
        const WriteOutcome outcome =
            WriteConfiguration(config, Only(false, true, true, groupCount), panel, host);
        EXPECT_EQ(CountPrefix(panel.Commands(), "LW9"), inputsWritten) << inputs;
        EXPECT_EQ(CountPrefix(panel.Commands(), "LW5"), groupsUsed) << groupCount;
        EXPECT_EQ(outcome.InputCountClamped, std::string(inputs) != "16") << inputs;
        EXPECT_EQ(outcome.GroupCountClamped, groupCount != 60) << groupCount;
    }
}

TEST(WriteConfiguration, NothingChosenSendsNothing) {
    ScriptedPanel panel;
    RecordingHost host;
    const Configuration config = OnlineConfigFor("WQ16", "5.00");
    EXPECT_EQ(WriteConfiguration(config, Only(false, false, false), panel, host).Result,
              WriteResult::NothingChosen);
    EXPECT_TRUE(panel.Calls.empty());
}

}  // namespace
}  // namespace kvtk
