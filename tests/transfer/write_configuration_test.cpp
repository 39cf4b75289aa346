#include "transfer/write_configuration.h"

#include <gtest/gtest.h>

#include "model/conversions.h"
#include "model/products.h"
#include "operation_fakes.h"

namespace kvtk {
namespace {

using testing::OnlinePanel;
using testing::RecordingHost;
using testing::ScriptedPanel;

WriteOptions Only(bool header, bool inputs, bool groups, int32_t groupCount = 0) {
    WriteOptions options;
    options.Header = header;
    options.Inputs = inputs;
    options.Groups = groups;
    options.GroupCount = groupCount;
    return options;
}

std::vector<std::string> Prefixes(const std::vector<std::string>& commands, size_t length) {
    std::vector<std::string> out;
    for (const auto& c : commands) out.push_back(c.substr(0, length));
    return out;
}

TEST(WriteConfiguration, InputsOnlyBelow4WritesThenSavesAndWaits25Seconds) {
    Configuration config = OnlinePanel("KV-4900", "2.00");
    config.Panel.NumInputs = "16";
    config.Inputs[5] = {"", kLinkedOn, 1, 12, 2, kTrue};
    std::vector<std::string> log;
    ScriptedPanel panel(&log);
    RecordingHost host(&log);

    const WriteOutcome outcome = WriteConfiguration(config, Only(false, true, false), panel, host);

    std::vector<std::string> expected{"LSWEN"};
    for (int n = 1; n <= 16; ++n) expected.push_back(panel.Commands()[static_cast<size_t>(n)]);
    expected.insert(expected.end(), {"LSAVE_EN", "LSYS_SAVE"});
    EXPECT_EQ(panel.Commands(), expected);
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(panel.Commands()[static_cast<size_t>(n)].substr(0, 5), "LW9" + NumberToHex(n, 2));
    EXPECT_NE(panel.Find("LW905C64C"), nullptr);
    EXPECT_EQ(panel.Find("LW905C64C")->Description, "Input 5");
    EXPECT_EQ(panel.Find("LSWEN")->Description, "Write Enable");
    EXPECT_EQ(panel.Find("LSAVE_EN")->Description, "Enable Save");
    EXPECT_EQ(panel.Find("LSYS_SAVE")->Description, "Saving to EEPROM");
    EXPECT_EQ(panel.Calls[0].Command, "");
    EXPECT_EQ(panel.Calls[0].Address, 0);
    for (size_t i = 1; i < panel.Calls.size(); ++i) EXPECT_EQ(panel.Calls[i].Style, 5);

    EXPECT_EQ(outcome.Result, WriteResult::Saved);
    EXPECT_EQ(outcome.InputsWritten, 16);
    ASSERT_EQ(host.Waits.size(), 1u);
    EXPECT_EQ(host.Waits[0].Milliseconds, 25000);
    EXPECT_EQ(host.Waits[0].Text, "This will take approximately 25 seconds...");
    EXPECT_EQ(log.back(), "port hidden");
    EXPECT_EQ(log[log.size() - 2], "wait 25000");
    EXPECT_EQ(host.Responses.back(), "Data Saved Successfully");
    EXPECT_EQ(host.Responses[host.Responses.size() - 2], "Enabled");
    EXPECT_EQ(host.Responses[0], "Command Accepted");
}

TEST(WriteConfiguration, HeaderRowsDependOnFirmware) {
    const std::vector<std::string> rows2to10{"LW65", "LW64", "LW61", "LW62", "LW41",
                                             "LW42", "LW43", "LW66", "LW63"};
    for (const char* version : {"2.00", "2.06"}) {
        Configuration config = OnlinePanel("KV-4900", version);
        config.Panel.SpecialOptions = 3;
        ScriptedPanel panel;
        RecordingHost host;
        WriteConfiguration(config, Only(true, false, false), panel, host);
        std::vector<std::string> expected{"LSWEN"};
        expected.insert(expected.end(), rows2to10.begin(), rows2to10.end());
        if (std::string(version) == "2.06") expected.push_back("LW24");
        expected.insert(expected.end(), {"LSAVE_EN", "LSYS_SAVE"});
        EXPECT_EQ(Prefixes(panel.Commands(), 4), Prefixes(expected, 4)) << version;
        EXPECT_EQ(panel.Calls[2].Description, "Input Count = " + config.Panel.NumInputs);
        EXPECT_EQ(panel.Calls[5].Description, "Flash Off Time = 0.5");
        EXPECT_EQ(panel.Calls[6].Description, "Timer 1 Duration = 01:00");
        EXPECT_EQ(panel.Calls[9].Description, "Relay Refresh = OFF");
        EXPECT_EQ(panel.Calls[10].Description, "Energize Duration = 0.048");
        if (std::string(version) == "2.06") {
            EXPECT_EQ(panel.Calls[11].Command, "LW2403");
            EXPECT_EQ(panel.Calls[11].Description, "Special Options");
        }
    }
}

TEST(WriteConfiguration, GroupCountZeroStillSendsGroupFlash) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    config.Groups[2].ConstantFlash = kTrue;
    ScriptedPanel panel;
    RecordingHost host;
    WriteConfiguration(config, Only(false, false, true, 0), panel, host);
    EXPECT_EQ(panel.Commands(),
              (std::vector<std::string>{"LSWEN", "LW230200000000000000", "LSAVE_EN", "LSYS_SAVE"}));
    ASSERT_EQ(host.Waits.size(), 1u);
    EXPECT_EQ(host.Waits[0].Milliseconds, 5000);
    EXPECT_EQ(host.Waits[0].Text, "This will take approximately 5 seconds...");
}

TEST(WriteConfiguration, GroupRegistersInOrderWithTheirDescriptions) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    config.Groups[2].Type = 1;
    config.Groups[2].Priority = 3;
    config.Groups[2].SerialOnPriority = 0;
    ScriptedPanel panel;
    RecordingHost host;
    WriteConfiguration(config, Only(false, false, true, 2), panel, host);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"LSWEN", "Write Enable"},
        {"LW21010", "Group 1 is a normal group"},
        {"LW3010100000000000000", "Group 1 write Relays in group"},
        {"LW5010", "Group 1 priority = None"},
        {"LW67011", "Group 1 serial on priority enabled"},
        {"LW21021", "Group 2 is a super group"},
        {"LW3020200000000000000", "Group 2 write Groups in super group"},
        {"LW5023", "Group 2 priority = On/Off"},
        {"LW67020", "Group 2 serial on priority disabled"},
        {"LW230000000000000000", ""},
        {"LSAVE_EN", "Enable Save"},
        {"LSYS_SAVE", "Saving to EEPROM"},
    };
    ASSERT_EQ(panel.Calls.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(panel.Calls[i + 1].Command, expected[i].first);
        EXPECT_EQ(panel.Calls[i + 1].Description, expected[i].second);
    }
}

TEST(WriteConfiguration, Kv4800Below4WritesOneMemberByteAndDoesNotWait) {
    Configuration config = OnlinePanel("KV-4800", "3.00");
    ScriptedPanel panel;
    RecordingHost host;
    WriteConfiguration(config, Only(false, false, true, 1), panel, host);
    EXPECT_EQ(panel.Commands(),
              (std::vector<std::string>{"LSWEN", "LW30101", "LW5010", "LW67011",
                                        "LW230000000000000000", "LSAVE_EN", "LSYS_SAVE"}));
    EXPECT_TRUE(host.Waits.empty());
}

TEST(WriteConfiguration, CancelAtTheFirstHeaderRowPausesThenDisablesWriting) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    std::vector<std::string> log;
    ScriptedPanel panel(&log);
    panel.AnswerPrefix("LW65", "");
    RecordingHost host(&log);

    const WriteOutcome outcome = WriteConfiguration(config, WriteOptions{}, panel, host);

    EXPECT_EQ(outcome.Result, WriteResult::Cancelled);
    EXPECT_EQ(Prefixes(panel.Commands(), 4), (std::vector<std::string>{"LSWE", "LW65", "LSU"}));
    EXPECT_EQ(panel.Find("LSU")->Description, "Write Disable");
    ASSERT_EQ(host.Waits.size(), 1u);
    EXPECT_EQ(host.Waits[0].Kind, WaitKind::WriteDisablePause);
    EXPECT_EQ(host.Waits[0].Milliseconds, 1000);
    const auto pause = std::find(log.begin(), log.end(), "wait 1000");
    ASSERT_NE(pause, log.end());
    EXPECT_EQ(*(pause + 1), ">LSU");
    EXPECT_EQ(log.back(), "port hidden");
}

TEST(WriteConfiguration, SaveCountDependsOnFirmwareText) {
    struct Case {
        const char* model;
        const char* version;
        int saves;
    };
    for (const Case& c : std::vector<Case>{{"KV-4900", "1.11", 2},
                                           {"WQ16", "1.11", 2},
                                           {"KV-4800", "1.11", 1},
                                           {"KV-4900", "1.110", 1},
                                           {"KV-4900", "1.12", 1}}) {
        Configuration config = OnlinePanel(c.model, c.version);
        ScriptedPanel panel;
        RecordingHost host;
        WriteConfiguration(config, Only(false, true, false), panel, host);
        const auto commands = panel.Commands();
        EXPECT_EQ(std::count(commands.begin(), commands.end(), "LSAVE_EN"), c.saves) << c.version;
        EXPECT_EQ(std::count(commands.begin(), commands.end(), "LSYS_SAVE"), c.saves) << c.version;
        EXPECT_EQ(commands.back(), "LSYS_SAVE");
    }
}

TEST(WriteConfiguration, SavingWaitByProductAndFirmware) {
    const std::vector<std::tuple<const char*, const char*, int>> cases{
        {"KV-4800", "3.00", 0},     {"KV-4800", "4.00", 5000},   {"WQ16", "5.00", 5000},
        {"KV-4900", "2.00", 25000}, {"TMC-1400", "3.99", 25000},
    };
    for (const auto& [model, version, ms] : cases)
        EXPECT_EQ(SavingWait({model, version}).Milliseconds, ms) << model << " " << version;
}

TEST(WriteConfiguration, CountsWithoutRegistersBehindThemAreCut) {
    struct Case {
        const char* model;
        const char* inputs;
        int32_t groupCount;
        int32_t inputsWritten;
        int32_t groupsUsed;
        bool inputsCut;
        bool groupsCut;
    };
    for (const Case& c : std::vector<Case>{
             {"WQ16", "200", 60, 120, 60, true, false},
             {"KV-4800", "16", 99, 16, 12, false, true},
             {"WQ16", "-5", -3, 0, 0, true, true},
         }) {
        Configuration config =
            OnlinePanel(c.model, c.model == std::string("WQ16") ? "5.00" : "3.00");
        config.Panel.NumInputs = c.inputs;
        ScriptedPanel panel;
        RecordingHost host;
        const WriteOutcome outcome =
            WriteConfiguration(config, Only(false, true, true, c.groupCount), panel, host);
        EXPECT_EQ(outcome.InputsWritten, c.inputsWritten) << c.inputs;
        EXPECT_EQ(outcome.GroupCountUsed, c.groupsUsed) << c.groupCount;
        EXPECT_EQ(outcome.InputCountClamped, c.inputsCut) << c.inputs;
        EXPECT_EQ(outcome.GroupCountClamped, c.groupsCut) << c.groupCount;
        const auto commands = panel.Commands();
        EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                                [](const std::string& s) { return s.rfind("LW9", 0) == 0; }),
                  c.inputsWritten);
        EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                                [](const std::string& s) { return s.rfind("LW5", 0) == 0; }),
                  c.groupsUsed);
    }
}

TEST(WriteConfiguration, NothingChosenSendsNothing) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    ScriptedPanel panel;
    RecordingHost host;
    EXPECT_EQ(WriteConfiguration(config, Only(false, false, false), panel, host).Result,
              WriteResult::NothingChosen);
    EXPECT_TRUE(panel.Calls.empty());
    EXPECT_FALSE(host.PortShown);
}

}  // namespace
}  // namespace kvtk
