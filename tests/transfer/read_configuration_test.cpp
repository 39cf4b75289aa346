#include "transfer/read_configuration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/conversions.h"
#include "model/products.h"
#include "operation_fakes.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;
using testing::OnlinePanel;
using testing::RecordingHost;
using testing::ScriptedPanel;

std::vector<std::string> HeaderReads(bool specialOptions) {
    std::vector<std::string> out{"LR65", "LR64", "LR61", "LR62", "LR41",
                                 "LR42", "LR43", "LR66", "LR63"};
    if (specialOptions) out.push_back("LR24");
    return out;
}

std::string Hex2(int n) {
    return NumberToHex(n, 2);
}

TEST(ReadConfiguration, FullReadOfWq16At500) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    ScriptedPanel panel;
    panel
        .Answer("LR65", "A0C")  // 12 inputs
        .Answer("LR64", "A10")
        .Answer("LR61", "A0258")
        .Answer("LR62", "A0F")
        .Answer("LR41", "A0E10")
        .Answer("LR42", "A1C20")
        .Answer("LR43", "A0000")
        .Answer("LR66", "A05")
        .Answer("LR63", "A04")
        .Answer("LR24", "A05")
        .Answer("LR905", "AC64C")
        .AnswerPrefix("LR9", "A0041")
        .Answer("LR2103", "A1")
        .AnswerPrefix("LR21", "A0")
        .AnswerPrefix("LR3", "A0100000000000008")
        .Answer("LR503", "A2")
        .AnswerPrefix("LR5", "A0")
        .Answer("LR6703", "A0")
        .AnswerPrefix("LR67", "A1")
        .Answer("LR23", "A0300000000000000");
    RecordingHost host;

    const ReadOutcome outcome = ReadConfiguration(config, panel, host);

    std::vector<std::string> expected = HeaderReads(true);
    for (int n = 1; n <= 12; ++n) expected.push_back("LR9" + Hex2(n));
    for (int g = 1; g <= 60; ++g)
        for (const char* reg : {"LR21", "LR3", "LR5", "LR67"}) expected.push_back(reg + Hex2(g));
    expected.push_back("LR23");
    EXPECT_EQ(panel.Commands(), expected);

    // The clearing call comes first, silent; every read offers Abort/Retry/Ignore.
    ASSERT_FALSE(panel.Calls.empty());
    EXPECT_EQ(panel.Calls[0].Address, 0);
    EXPECT_EQ(panel.Calls[0].Style, 0);
    for (size_t i = 1; i < panel.Calls.size(); ++i) {
        EXPECT_EQ(panel.Calls[i].Style, 2) << panel.Calls[i].Command;
        EXPECT_EQ(panel.Calls[i].Address, 1) << panel.Calls[i].Command;
    }
    const std::vector<std::pair<const char*, const char*>> descriptions{
        {"LR65", "Maximum Number of Inputs"},
        {"LR24", "Special Options"},
        {"LR905", "Input 5"},
        {"LR2103", "Group 3 type"},
        {"LR303", "Super group 3 groups"},
        {"LR304", "Group 4 relays"},
        {"LR503", "Group 3 maintained priority"},
        {"LR6703", "Group 3 serial on priority"},
        {"LR23", "Group flash settings"},
    };
    for (const auto& [command, description] : descriptions) {
        const auto* call = panel.Find(command);
        ASSERT_NE(call, nullptr) << command;
        EXPECT_EQ(call->Description, description) << command;
    }

    EXPECT_TRUE(outcome.Completed);
    EXPECT_EQ(config.Panel.NumInputs, "12");
    EXPECT_EQ(config.Panel.NumRelays, "16");
    EXPECT_EQ(config.Panel.OnTimeAfterFlash, "10:00");
    EXPECT_EQ(config.Panel.FlashOffTime, "1.5");
    EXPECT_EQ(config.Panel.TimerDuration[1], "01:00");
    EXPECT_EQ(config.Panel.TimerDuration[2], "02:00");
    EXPECT_EQ(config.Panel.RelayRefresh, "5");
    EXPECT_EQ(config.Panel.SpecialOptions, 5);
    const InputConfig& in5 = config.Inputs[5];
    EXPECT_EQ(in5.Type, kLinkedOn);
    EXPECT_EQ(in5.Timer, 2);
    EXPECT_EQ(in5.Group, 12);
    EXPECT_EQ(in5.Polarity, 1);
    EXPECT_TRUE(IsOn(in5.Flash));
    EXPECT_EQ(config.Groups[3].Type, 1);
    EXPECT_EQ(config.Groups[4].Type, 0);
    EXPECT_TRUE(config.Groups[3].HasMember(1));
    EXPECT_TRUE(config.Groups[3].HasMember(60));
    EXPECT_FALSE(config.Groups[3].HasMember(3));
    EXPECT_EQ(config.Groups[3].Priority, 2);
    EXPECT_EQ(config.Groups[3].SerialOnPriority, 0);
    EXPECT_EQ(config.Groups[4].SerialOnPriority, 1);
    EXPECT_TRUE(IsOn(config.Groups[1].ConstantFlash));
    EXPECT_TRUE(IsOn(config.Groups[2].ConstantFlash));
    EXPECT_FALSE(IsOn(config.Groups[3].ConstantFlash));

    auto shown = [&](const std::string& text) {
        return std::find(host.Responses.begin(), host.Responses.end(), text) !=
               host.Responses.end();
    };
    for (const char* text :
         {"12", "10:00", "1.5", "01:00", "5", "10100000", "12,4,2,On,Closed", "1,1,0,Off,Open",
          "Super group", "Normal group", "Off", "None", "Enabled", "Disabled"})
        EXPECT_TRUE(shown(text)) << text;
    EXPECT_TRUE(host.MainEnabled);
    EXPECT_FALSE(host.PortShown);
}

TEST(ReadConfiguration, Kv4800Below4ReadsOneMemberByteAndTwelveGroups) {
    Configuration config = OnlinePanel("KV-4800", "3.00");
    config.Groups[5].SetMember(9, true);
    config.Groups[5].SetMember(2, false);
    ScriptedPanel panel;
    panel
        .Answer("LR65", "A20")  // 32 inputs: more than the 16 this product has
        .AnswerPrefix("LR9", "A0041")
        .Answer("LR305", "A03")
        .AnswerPrefix("LR3", "A00")
        .AnswerPrefix("LR", "A00");
    RecordingHost host;

    ReadConfiguration(config, panel, host);

    std::vector<std::string> expected = HeaderReads(true);
    for (int n = 1; n <= 16; ++n) expected.push_back("LR9" + Hex2(n));
    for (int g = 1; g <= 12; ++g)
        for (const char* reg : {"LR3", "LR5", "LR67"}) expected.push_back(reg + Hex2(g));
    expected.push_back("LR23");
    EXPECT_EQ(panel.Commands(), expected);
    EXPECT_EQ(config.Panel.NumInputs, "16");
    EXPECT_TRUE(config.Groups[5].HasMember(1));
    EXPECT_TRUE(config.Groups[5].HasMember(2));
    EXPECT_TRUE(config.Groups[5].HasMember(9));  // beyond the one byte: kept
    EXPECT_FALSE(config.Groups[5].HasMember(5));
}

TEST(ReadConfiguration, Kv4900At109UsesTheEarlyInputLayout) {
    Configuration config = OnlinePanel("KV-4900", "1.09");
    config.Panel.SpecialOptions = 0x42;
    ScriptedPanel panel;
    panel.Answer("LR65", "A02").AnswerPrefix("LR9", "AC10C").AnswerPrefix("LR", "A00");
    RecordingHost host;

    ReadConfiguration(config, panel, host);

    std::vector<std::string> expected = HeaderReads(false);
    expected.insert(expected.end(), {"LR901", "LR902"});
    for (int g = 1; g <= 30; ++g)
        for (const char* reg : {"LR3", "LR5", "LR67"}) expected.push_back(reg + Hex2(g));
    EXPECT_EQ(panel.Commands(), expected);  // no LR24, no LR21, no LR23
    EXPECT_EQ(config.Panel.SpecialOptions, 0x42);
    EXPECT_EQ(config.Inputs[1].Type, kMaintained);
    EXPECT_EQ(config.Inputs[1].Timer, 2);
    EXPECT_EQ(config.Inputs[1].Group, 12);
    EXPECT_NE(std::find(host.Responses.begin(), host.Responses.end(), "12,0,2,On,Closed"),
              host.Responses.end());
}

TEST(ReadConfiguration, FirmwareDecidesOptionalRegisters) {
    struct Case {
        const char* model;
        const char* version;
        bool specialOptions;
        bool groupFlash;
    };
    for (const Case& c : std::vector<Case>{{"KV-4900", "2.00", false, true},
                                           {"KV-4900", "2.06", true, true},
                                           {"KV-4900", "1.18", false, false},
                                           {"KV-4900", "1.19", false, true}}) {
        Configuration config = OnlinePanel(c.model, c.version);
        ScriptedPanel panel;
        panel.AnswerPrefix("LR", "A01");
        RecordingHost host;
        ReadConfiguration(config, panel, host);
        EXPECT_EQ(panel.Find("LR24") != nullptr, c.specialOptions) << c.version;
        EXPECT_EQ(panel.Find("LR23") != nullptr, c.groupFlash) << c.version;
    }
}

TEST(ReadConfiguration, IgnoredCountKeepsTheOldValue) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    config.Panel.NumInputs = "5";
    ScriptedPanel panel;
    panel.Answer("LR65", "I").AnswerPrefix("LR", "A00");
    RecordingHost host;

    EXPECT_TRUE(ReadConfiguration(config, panel, host).Completed);
    EXPECT_EQ(config.Panel.NumInputs, "5");
    EXPECT_NE(panel.Find("LR905"), nullptr);
    EXPECT_EQ(panel.Find("LR906"), nullptr);
}

TEST(ReadConfiguration, CountsAreClampedEvenAfterAnAbort) {
    struct Case {
        const char* inputsReply;
        const char* relaysReply;
        const char* inputs;
        const char* relays;
        size_t commands;  // header reads sent
    };
    for (const Case& c : std::vector<Case>{
             {"A96", "", "120", "8", 2},   // 150 inputs, then Abort: no input is read
             {"A00", "A00", "1", "1", 0},  // zero counts become the minimum
         }) {
        Configuration config = OnlinePanel("WQ16", "5.00");
        ScriptedPanel panel;
        panel.Answer("LR65", c.inputsReply).Answer("LR64", c.relaysReply).AnswerPrefix("LR", "A00");
        RecordingHost host;
        const ReadOutcome outcome = ReadConfiguration(config, panel, host);
        EXPECT_EQ(config.Panel.NumInputs, c.inputs) << c.inputsReply;
        EXPECT_EQ(config.Panel.NumRelays, c.relays) << c.inputsReply;
        if (c.commands == 2) {
            EXPECT_FALSE(outcome.Completed);
            EXPECT_EQ(panel.Commands(), (std::vector<std::string>{"LR65", "LR64"}));
        } else {
            EXPECT_NE(panel.Find("LR901"), nullptr);
            EXPECT_EQ(panel.Find("LR902"), nullptr);
        }
        EXPECT_TRUE(host.MainEnabled);
    }
}

TEST(ReadConfiguration, AbortInTheGroupsLeavesTheRestAsTheyWere) {
    Configuration config = OnlinePanel("WQ16", "5.00");
    config.Groups[6].Priority = 3;
    config.Groups[6].Type = 1;
    ScriptedPanel panel;
    panel.Answer("LR65", "A01")
        .Answer("LR305", "")
        .AnswerPrefix("LR5", "A1")
        .AnswerPrefix("LR", "A01");
    RecordingHost host;

    const ReadOutcome outcome = ReadConfiguration(config, panel, host);

    EXPECT_FALSE(outcome.Completed);
    EXPECT_EQ(panel.Commands().back(), "LR305");
    EXPECT_EQ(config.Groups[4].Priority, 1);
    EXPECT_EQ(config.Groups[6].Priority, 3);
    EXPECT_EQ(config.Groups[6].Type, 1);
    EXPECT_TRUE(host.MainEnabled);
    EXPECT_FALSE(host.PortShown);
}

TEST(ReadConfiguration, ReportsTheSetAllEntriesTheFirmwareRulesOut) {
    struct Case {
        const char* version;
        const char* word;
        bool linkedOn;
        bool stateChange;
    };
    for (const Case& c : std::vector<Case>{{"2.00", "A0441", true, false},
                                           {"3.00", "A0481", false, true},
                                           {"4.00", "A0481", false, false},
                                           {"3.00", "A0041", false, false}}) {
        Configuration config = OnlinePanel("KV-4900", c.version);
        ScriptedPanel panel;
        panel.Answer("LR65", "A01").Answer("LR901", c.word).AnswerPrefix("LR", "A00");
        RecordingHost host;
        const ReadOutcome outcome = ReadConfiguration(config, panel, host);
        EXPECT_EQ(outcome.DisableSetAllLinkedOn, c.linkedOn) << c.version << c.word;
        EXPECT_EQ(outcome.DisableSetAllStateChange, c.stateChange) << c.version << c.word;
    }
}

TEST(CheckMemory, MapsTheSelfTestReply) {
    // The reply's decoding is covered with the register map; here the exchange.
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"A01", "OK", "Error!"}, {"T", "Unknown", "Unknown"}};
    for (const auto& [reply, eprom, eeprom] : cases) {
        Configuration config = OnlinePanel("WQ16", "5.00");
        config.Panel.Address = "9";
        ScriptedPanel panel;
        panel.Answer("LR72", reply);
        CheckMemory(config, panel);
        EXPECT_EQ(config.Status.Eprom, eprom) << reply;
        EXPECT_EQ(config.Status.Eeprom, eeprom) << reply;
        ASSERT_EQ(panel.Calls.size(), 1u);
        EXPECT_EQ(panel.Calls[0].Address, 9);
        EXPECT_EQ(panel.Calls[0].Style, 0);
    }
}

}  // namespace
}  // namespace kvtk
