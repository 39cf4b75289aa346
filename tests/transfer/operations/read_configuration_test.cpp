#include "transfer/operations/read_configuration.h"

#include <gtest/gtest.h>

#include <sstream>

#include "model/conversions.h"
#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using test::OnlineConfigFor;
using test::RecordingHost;
using test::ScriptedPanel;
using Commands = std::vector<std::string>;

Commands HeaderReads(bool specialOptions) {
    Commands out{"LR65", "LR64", "LR61", "LR62", "LR41", "LR42", "LR43", "LR66", "LR63"};
    if (specialOptions) out.push_back("LR24");
    return out;
}

// The reads of groups 1..last, each with the registers given.
void AddGroupReads(Commands& out, int last, std::initializer_list<const char*> registers) {
    for (int g = 1; g <= last; ++g)
        for (const char* reg : registers) out.push_back(reg + NumberToHex(g, 2));
}

TEST(ReadConfiguration, FullReadOfWq16At500) {
    Configuration config = OnlineConfigFor("WQ16", "5.00");
    ScriptedPanel panel;
    panel.Answer("LR65", "A02")
        .Answer("LR64", "A10")
        .Answer("LR61", "A0258")
        .Answer("LR41", "A0E10")
        .Answer("LR24", "A05")
        .Answer("LR902", "AC64C")
        .AnswerPrefix("LR9", "A0041")
        .Answer("LR2103", "A1")
        .AnswerPrefix("LR21", "A0")
        .AnswerPrefix("LR3", "A0100000000000008")
        .Answer("LR503", "A2")
        .AnswerPrefix("LR5", "A0")
        .Answer("LR6703", "A0")
        .AnswerPrefix("LR67", "A1")
        .Answer("LR23", "A0300000000000000")
        .AnswerPrefix("LR", "A04");
    RecordingHost host;

    const ReadOutcome outcome = ReadConfiguration(config, panel, host);

    Commands expected = HeaderReads(true);
    expected.insert(expected.end(), {"LR901", "LR902"});
    AddGroupReads(expected, 60, {"LR21", "LR3", "LR5", "LR67"});
    expected.push_back("LR23");
    EXPECT_EQ(panel.Commands(), expected);
    for (const auto& call : panel.Calls) {
        EXPECT_EQ(call.Style, FailureStyle::AbortRetryIgnore) << call.Command;
        EXPECT_EQ(call.Address, 1) << call.Command;
    }
    // A step per register, between "started" and "finished", counted from
    // the panel's own input count on.
    const std::string all = std::to_string(expected.size());
    ASSERT_EQ(host.Events.size(), expected.size() + 2);
    EXPECT_EQ(host.Events.front(), "started Read");
    EXPECT_EQ(host.Events[1].rfind("step Maximum Number of Inputs (1 of ", 0), 0u);
    EXPECT_NE(host.Events[2].find("(2 of " + all + ")"), std::string::npos) << host.Events[2];
    EXPECT_EQ(host.Events[host.Events.size() - 2],
              "step Group flash settings (" + all + " of " + all + ")");
    EXPECT_EQ(host.Events.back(), "finished Read completed");

    // Each reply lands in its own field: the decoding itself is the register map's.
    EXPECT_TRUE(outcome.Completed);
    EXPECT_EQ(config.Panel.NumInputs, "2");
    EXPECT_EQ(config.Panel.TimerDuration[1], "01:00");
    EXPECT_EQ(config.Panel.SpecialOptions, 5);
    EXPECT_EQ(config.Inputs[2].Group, 12);
    EXPECT_EQ(config.Groups[3].Type, 1);
    EXPECT_TRUE(config.Groups[3].HasMember(60));
    EXPECT_EQ(config.Groups[3].Priority, 2);
    EXPECT_EQ(config.Groups[4].SerialOnPriority, 1);
    EXPECT_TRUE(IsOn(config.Groups[2].ConstantFlash));
    EXPECT_NE(std::find(host.Responses.begin(), host.Responses.end(), "12,4,2,On,Closed"),
              host.Responses.end());
}

TEST(ReadConfiguration, Kv4800Below4ReadsOneMemberByteAndTwelveGroups) {
    Configuration config = OnlineConfigFor("KV-4800", "3.00");
    config.Groups[5].SetMember(9, true);
    config.Groups[5].SetMember(2, false);
    config.Groups[6].Type = 1;  // a supergroup flag from a file, on a product without them
    ScriptedPanel panel;
    panel
        .Answer("LR65", "A20")  // 32 inputs: more than the 16 this product has
        .Answer("LR305", "A03")
        .AnswerPrefix("LR3", "A00")
        .AnswerPrefix("LR", "A00");
    RecordingHost host;

    ReadConfiguration(config, panel, host);

    Commands expected = HeaderReads(true);
    for (int n = 1; n <= 16; ++n) expected.push_back("LR9" + NumberToHex(n, 2));
    AddGroupReads(expected, 12, {"LR3", "LR5", "LR67"});
    expected.push_back("LR23");
    EXPECT_EQ(panel.Commands(), expected);
    EXPECT_EQ(config.Panel.NumInputs, "16");
    EXPECT_TRUE(config.Groups[5].HasMember(2));
    EXPECT_TRUE(config.Groups[5].HasMember(9));  // beyond the one byte: kept
    EXPECT_FALSE(config.Groups[5].HasMember(5));
    EXPECT_EQ(config.Groups[6].Type, 0);
}

// Optional registers, the input word layout (1.09 reads the early one) and
// whether an input read carried an extended type.
TEST(ReadConfiguration, FirmwareDecidesOptionalRegisters) {
    struct Case {
        const char* version;
        const char* word;
        bool specialOptions;
        bool groupFlash;
        bool extendedType;
        int16_t timer;  // of input 1
    };
    for (const Case& c : std::vector<Case>{{"2.00", "A0441", false, true, true, 0},
                                           {"3.00", "A0481", true, true, true, 0},
                                           {"1.18", "A0000", false, false, false, 0},
                                           {"1.09", "AC10C", false, false, false, 2}}) {
        Configuration config = OnlineConfigFor("KV-4900", c.version);
        ScriptedPanel panel;
        panel.Answer("LR65", "A02").Answer("LR901", c.word).AnswerPrefix("LR", "A00");
        RecordingHost host;
        const ReadOutcome outcome = ReadConfiguration(config, panel, host);
        EXPECT_EQ(panel.Find("LR24") != nullptr, c.specialOptions) << c.version;
        EXPECT_EQ(panel.Find("LR23") != nullptr, c.groupFlash) << c.version;
        EXPECT_EQ(outcome.ExtendedTypeRead, c.extendedType) << c.version;
        EXPECT_EQ(config.Inputs[1].Timer, c.timer) << c.version;
    }
}

TEST(ReadConfiguration, IgnoredRegistersKeepTheirOldValuesAndABigCountIsCut) {
    Configuration config = OnlineConfigFor("WQ16", "5.00");
    config.Panel.NumInputs = "5";
    config.Inputs[3] = {"", kMomentaryOff, 1, 7, 2, kTrue};
    const InputConfig input3 = config.Inputs[3];
    ScriptedPanel panel;
    panel.Answer("LR65", "I").Answer("LR903", "I").AnswerPrefix("LR", "A00");
    RecordingHost host;

    EXPECT_TRUE(ReadConfiguration(config, panel, host).Completed);
    EXPECT_EQ(config.Panel.NumInputs, "5");
    EXPECT_EQ(config.Inputs[3], input3);
    EXPECT_NE(panel.Find("LR905"), nullptr);
    EXPECT_EQ(panel.Find("LR906"), nullptr);

    // A count above the limit is cut even when the read is aborted next.
    ScriptedPanel aborting;
    aborting.Answer("LR65", "A96").Answer("LR64", "");  // 150 inputs, then Abort
    EXPECT_FALSE(ReadConfiguration(config, aborting, host).Completed);
    EXPECT_EQ(config.Panel.NumInputs, "120");
    EXPECT_EQ(aborting.Sent(), "LR65 LR64");
    EXPECT_EQ(host.Events.back(), "finished Read stopped");
}

TEST(ReadConfiguration, AbortInTheGroupsLeavesTheRestAsTheyWere) {
    Configuration config = OnlineConfigFor("WQ16", "5.00");
    config.Groups[6].Priority = 3;
    config.Groups[6].Type = 1;
    ScriptedPanel panel;
    panel.Answer("LR65", "A01")
        .Answer("LR305", "")
        .AnswerPrefix("LR5", "A1")
        .AnswerPrefix("LR", "A01");
    RecordingHost host;

    EXPECT_FALSE(ReadConfiguration(config, panel, host).Completed);
    EXPECT_EQ(panel.Commands().back(), "LR305");
    EXPECT_EQ(config.Groups[4].Priority, 1);
    EXPECT_EQ(config.Groups[6].Priority, 3);
    EXPECT_EQ(config.Groups[6].Type, 1);
}

// A reply without the digits its register holds (a bare "A") is a failed
// exchange: the register is skipped and keeps its value, never read as 0.
TEST(ReadConfiguration, RepliesWithoutTheirDigitsAreSkippedNotZeros) {
    const struct {
        const char *model, *version;
        const char* digits;  // command:digits its reply needs
    } cases[] = {
        {"WQ16", "5.00",
         "LR65:2 LR64:2 LR61:4 LR62:2 LR41:4 LR66:2 LR63:2 LR24:2 LR901:4 LR2101:1 LR301:16 "
         "LR501:1 LR6701:1 LR23:16"},
        {"KV-4800", "3.00", "LR301:2"},
    };
    for (const auto& c : cases) {
        Configuration config = OnlineConfigFor(c.model, c.version);
        config.Panel.NumInputs = "2";
        config.Panel.TimerDuration[1] = "01:30";
        config.Inputs[1].Group = 5;
        config.Groups[1].Members[2] = -1;
        config.Groups[1].Priority = 2;
        const Configuration before = config;
        ScriptedPanel panel;
        panel.DefaultReply = "A";
        RecordingHost host;

        const ReadOutcome outcome = ReadConfiguration(config, panel, host);
        EXPECT_TRUE(outcome.Completed);
        EXPECT_EQ(outcome.Skipped.size(), panel.Commands().size()) << c.model;
        std::istringstream expected(c.digits);
        for (std::string item; expected >> item;) {
            const std::string command = item.substr(0, item.find(':'));
            const auto* call = panel.Find(command);
            ASSERT_NE(call, nullptr) << command;
            EXPECT_EQ(std::to_string(call->DataChars), item.substr(item.find(':') + 1)) << item;
        }
        EXPECT_EQ(config.Panel.NumInputs, "2");
        EXPECT_EQ(config.Panel.TimerDuration[1], before.Panel.TimerDuration[1]);
        EXPECT_EQ(config.Inputs[1].Group, 5);
        EXPECT_EQ(config.Groups[1].Members[2], -1);
        EXPECT_EQ(config.Groups[1].Priority, 2);
    }
}

TEST(CheckMemory, AsksThePanelSilentlyAndKeepsTheAnswer) {
    Configuration config = OnlineConfigFor("WQ16", "5.00", 9);
    ScriptedPanel panel;
    panel.Answer("LR72", "A01");
    CheckMemory(config, panel);
    EXPECT_EQ(config.Status.Eprom, "OK");
    EXPECT_EQ(config.Status.Eeprom, "Error!");
    ASSERT_EQ(panel.Calls.size(), 1u);
    EXPECT_EQ(panel.Calls[0].Address, 9);
    EXPECT_EQ(panel.Calls[0].Style, FailureStyle::Silent);
}

}  // namespace
}  // namespace kvtk
