// The accepted variants, limits and failures of the configuration reader.
#include "files/config_reader.h"

#include <gmock/gmock.h>

#include <sstream>
#include <vector>

#include "files/config_writer.h"
#include "files/file_access.h"
#include "test_folder.h"
#include "tests/files/kvx_text.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

using test::ConfigFor;

const std::string kRule(40, '-');

// A file with the given lines in its panel, input and group sections.
std::string FileWith(std::vector<std::string> panel, std::vector<std::string> inputs,
                     std::vector<std::string> groups) {
    panel.insert(panel.begin(), "Panel Information");
    inputs.insert(inputs.begin(), "Input Information");
    groups.insert(groups.begin(), "Group Information");
    return test::KvxText("KV-??00", "4.00", {{"File Header"}, panel, inputs, groups});
}

FileResult Read(const std::string& text, Configuration& c, ReadMode mode = ReadMode::Full) {
    std::istringstream in(text);
    return ReadConfigStream(in, c, mode);
}

// Lower-case keys, old headings and key names, values outside the lists or
// limits, and names that look like headings or options.
TEST(ConfigReader, ReadsTheVariantsOfOlderAndHandEditedFiles) {
    Configuration c = ConfigFor("KV-??00", "4.00");
    Configuration expected = c;
    const FileResult result =
        Read(FileWith({"Timer 0=00:30", "Timer 1=01:00", "Timer 2=02:00", "Timer 3=05:00",
                       "Flash Off Time=0.50", "Refresh Duration=45", "Inputs=200", "Relays=0",
                       "Address=300", "Name=North", "Units At 0V=abc", "Units At 5V=-1.5",
                       "Flash On Time=5:07"},
                      {"special option = 101000000000", "Line #1", "Name = Switch line #4",
                       "Timer = 2", "Line #3", "Contact Type = linked on", "Timer = 2", "INPUT #4",
                       "group = 75", "flash = on", "Polarity = normally open", "Timer = 3",
                       "Line #5", "Name = Special option 1"},
                      {"Group #2", "relay = 3", "MEMBER = 4", "group = 5", "Priority = on / off",
                       "Priority = maybe", "Type = super", "Serial Override = disabled",
                       "Constant Flash = ENABLED", "Zone #1", "Name = Group #3 lights", "Child = 9",
                       "Zone #0", "Name = Zero", "Child = 5", "Type = Super"}),
             c);
    ASSERT_TRUE(result.Ok()) << result.Message;
    expected.Panel.TimerDuration = {"", "00:30", "01:00", "02:00"};
    expected.Panel.FlashOffTime = "1.7";
    expected.Panel.RelayRefresh = "OFF";
    expected.Panel.NumInputs = "120";
    expected.Panel.NumRelays = "1";
    expected.Panel.Address = "255";
    expected.Panel.DeviceName = expected.AddressTable[255].Name = "North";
    expected.Panel.UnitsAt0V = "0";
    expected.Panel.UnitsAt5V = "-1.5";
    expected.Panel.SpecialOptions = 5;
    expected.Panel.OnTimeAfterFlash = "05:07";
    expected.Inputs[1].Name = "Switch line #4";
    expected.Inputs[1].Timer = expected.Inputs[3].Timer = 2;
    expected.Inputs[3].Type = kLinkedOn;
    expected.Inputs[4] = {"", kMomentaryOn, 0, 60, 3, kTrue};
    expected.Inputs[5].Name = "Special option 1";
    expected.Groups[1] = {"Group #3 lights", 0, {}, 0, kTrue, 0};
    expected.Groups[1].SetMember(9, true);
    expected.Groups[2] = {"", 1, {}, 3, 0, kTrue};
    for (int k : {3, 4, 5}) expected.Groups[2].SetMember(k, true);
    EXPECT_TRUE(c == expected) << test::FirstDifferentLine(ConfigFileText(c, {}),
                                                           ConfigFileText(expected, {}));
}

TEST(ConfigReader, ProductAndConnectionShapeWhatIsRead) {
    Configuration tmc = ConfigFor("TMC-1400", "4.00");
    ASSERT_TRUE(
        Read(FileWith({"Relay Energize Duration=0", "Refresh Duration=3.0"}, {}, {}), tmc).Ok());
    EXPECT_EQ(tmc.Panel.RelayEnergize + " " + tmc.Panel.RelayRefresh, "0.156 3");
    Configuration online = test::OnlineConfigFor("KV-??00", "4.00", 7);
    ASSERT_TRUE(Read(FileWith({"Address=300", "Name=North"}, {}, {}), online).Ok());
    EXPECT_EQ(online.Panel.Address + " " + online.AddressTable[7].Name, "7 North");
    Configuration old = ConfigFor("KV-4500", "1.09");  // a type the firmware does not offer
    ASSERT_TRUE(Read(FileWith({}, {"Line #3", "Contact Type = linked on"}, {}), old).Ok());
    EXPECT_EQ(old.Inputs[3].Type, kMomentaryOn);
    Configuration small = ConfigFor("KV-4800", "2.05");  // groups above the product's are kept
    ASSERT_TRUE(Read(FileWith({}, {}, {"Zone #40", "Name = Far", "Child = 2"}), small).Ok());
    GroupConfig far{"Far", 0, {}, 0, kTrue, 0};
    far.SetMember(2, true);
    EXPECT_TRUE(small.Groups[40] == far);
}

TEST(ConfigReader, NamesOnlyChangesNamesAndNothingElse) {
    Configuration source = test::RandomConfigMaker(7).Make("KV-??00", "4.00");
    source.Panel.Address = "0";
    source.AddressTable[0].Name = "From file";
    const std::string text = ConfigFileText(source, {});

    Configuration c = ConfigFor("KV-??00", "4.00");
    c.Panel.Address = "0";
    c.Panel.SpecialOptions = 0;
    const Configuration before = c;
    ASSERT_TRUE(Read(text, c, ReadMode::NamesOnly).Ok());

    // Only the names change: the panel's, inputs 1..NumInputs of the file and all groups.
    Configuration expected = before;
    expected.Panel.DeviceName = expected.AddressTable[0].Name = "From file";
    for (int n = 1; n <= CountValue(source.Panel.NumInputs); ++n)
        expected.Inputs[n].Name = source.Inputs[n].Name;
    for (int g = 1; g <= kGroupCount; ++g) expected.Groups[g].Name = source.Groups[g].Name;
    EXPECT_EQ(c, expected);
}

// A failure ends the read with its message and keeps what was read before;
// bytes that are no configuration at all end as a damaged file.
TEST(ConfigReader, FailuresEndWithTheirMessageAndKeepWhatWasRead) {
    const std::string panelOnly = kRule + "\r\nPanel Information\r\nTimer 1=04:44\r\n";
    const struct {
        std::string Text;
        FileOutcome Outcome;
        std::string Message;  // the start of it
    } cases[] = {
        {FileWith({"Timer 1=04:44"}, {}, {"Zone #61"}), FileOutcome::Other,
         "Group number 61 is outside 0 to 60 (10002)\r"},
        {FileWith({"Timer 1=04:44"}, {"Line #0"}, {}), FileOutcome::Other,
         "Input number 0 is outside 1 to 120 (10001)\r"},
        {FileWith({"Timer 1=04:44"}, {"Input #121"}, {}), FileOutcome::Other,
         "Input number 121 is outside 1 to 120 (10001)\r"},
        {panelOnly, FileOutcome::Damaged, ""},
        {panelOnly + kRule + "\r\n", FileOutcome::Damaged, ""},
        {panelOnly + kRule + "\r\nInput Information\r\n" + kRule + "\r\nZone #1\r\n",
         FileOutcome::Damaged, ""},
        {"just text\r\n", FileOutcome::Damaged, ""},
        {std::string(1 << 16, '\0'), FileOutcome::Damaged, ""},
        {std::string("--\0--\r\nPANEL\0INFORMATION\r\n\0\0\0", 29), FileOutcome::Damaged, ""},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.Text.substr(0, 200));
        Configuration c = ConfigFor("KV-??00", "4.00");
        const FileResult result = Read(tc.Text, c);
        EXPECT_EQ(result.Outcome, tc.Outcome);
        EXPECT_EQ(result.Title, "File Error");
        EXPECT_THAT(result.Message, ::testing::StartsWith(tc.Message));
        if (tc.Text.find("Timer 1=04:44") != std::string::npos) {
            EXPECT_EQ(c.Panel.TimerDuration[1], "04:44");
        }
    }
}

// A value its register would cut (a timer of 20:00 sent as 01:47), a time
// the conversions would misread, or a name with a control character is
// refused in words; names-only reads look at names alone.
TEST(ConfigReader, RefusesWhatThePanelCannotHold) {
    const struct {
        std::vector<std::string> Panel, Inputs, Groups;
        std::string Message;  // empty: read
    } cases[] = {
        {{"Timer 1=18:12"}, {}, {}, ""},
        {{"Timer 1=1:30"}, {}, {}, ""},
        {{"Timer 1=18:13"}, {}, {}, "\"Timer 1=18:13\" is longer than a panel's timer holds"},
        {{"Timer 0=00:30", "Timer 1=20:00"}, {}, {}, "\"Timer 1=20:00\" is longer"},
        {{"Timer 2=1:5"}, {}, {}, "\"Timer 2=1:5\" is not a time hh:mm"},
        {{"Timer 3=100:00"}, {}, {}, "\"Timer 3=100:00\" is not a time hh:mm"},
        {{"Flash On Time=120:00"}, {}, {}, "\"Flash On Time=120:00\" is not a time mm:ss"},
        {{}, {"Special Option = 100000001"}, {}, "is not the panel's 8 special options"},
        {{}, {"Special Option = 10200000"}, {}, "is not the panel's 8 special options"},
        {{}, {"Line #4", "Timer = 7"}, {}, "\"Timer = 7\" of input 4 is not a timer 0 to 3"},
        {{}, {"Line #4", "Timer = -1"}, {}, "is not a timer 0 to 3"},
        {{}, {}, {"Zone #2", "Child = 61"}, "\"Child = 61\" of group 2 is not a member 1 to 60"},
        {{}, {}, {"Zone #2", "Relay = 0"}, "is not a member 1 to 60"},
        {{"Name=A\x1B[2J"}, {}, {}, "The name of the panel holds the control character ESC"},
        {{}, {"Line #6", std::string("Name = Hall\0East", 16)}, {}, "control character NUL"},
        {{}, {}, {"Zone #3", "Name = Bell\x07 ring"}, "The name of group 3 holds the control"},
        {{}, {"Line #2", "Name = Tab\there"}, {}, "control character TAB (U+0009): a name or"},
    };
    for (const auto& tc : cases) {
        const std::string text = FileWith(tc.Panel, tc.Inputs, tc.Groups);
        SCOPED_TRACE(text);
        Configuration c = ConfigFor("KV-??00", "4.00");
        const FileResult result = Read(text, c);
        if (tc.Message.empty()) {
            EXPECT_TRUE(result.Ok()) << result.Message;
            continue;
        }
        EXPECT_EQ(result.Number, kValueNotHeld);
        EXPECT_THAT(result.Message, ::testing::HasSubstr(tc.Message));
        // Only names matter to a names-only read.
        const bool nameCase = tc.Message.find("control") != std::string::npos;
        Configuration names = ConfigFor("KV-??00", "4.00");
        EXPECT_EQ(Read(text, names, ReadMode::NamesOnly).Ok(), !nameCase);
    }
    Configuration c = ConfigFor("KV-??00", "4.00");
    ASSERT_TRUE(Read(FileWith({"Timer 1=1:30"}, {}, {}), c).Ok());
    EXPECT_EQ(c.Panel.TimerDuration[1], "01:30");  // sent as 5400 s, not as "1:" and "0"
}

TEST(ConfigReader, OnlyRegularFilesOfAConfigurationsSizeAreRead) {
    test::TestFolder folder;
    const std::string good = folder.File("good.kvx"), huge = folder.File("huge.kvx");
    test::PutFileBytes(good, FileWith({}, {}, {}));
    std::filesystem::copy_file(good, huge);
    std::filesystem::resize_file(huge, kMaxConfigFileBytes + 1);
    struct Case {
        std::string Path;
        FileOutcome Outcome;
        std::string Message;
    };
    std::vector<Case> cases = {
        {good, FileOutcome::Ok, ""},
        {folder.File("none.kvx"), FileOutcome::PathNotFound, "No such file or directory (2)\r"},
        {folder.Path().string(), FileOutcome::Other, "Is a directory"},
        {huge, FileOutcome::Other, "The file is too large to be a configuration file"},
    };
    // Pipes and endless devices are refused instead of read forever.
    if (test::kPosixFiles) {
        const std::string pipe = folder.File("pipe.kvx");
        ASSERT_TRUE(test::MakePipe(pipe));
        cases.push_back({pipe, FileOutcome::Other, "Not a regular file but a named pipe"});
        cases.push_back(
            {"/dev/zero", FileOutcome::Other, "Not a regular file but a character device"});
    } else {
        // Windows' device names, in any folder and with any extension.
        for (const std::string& device : {folder.File("nul.kvx"), std::string("COM1.kvx")})
            cases.push_back(
                {device, FileOutcome::Other, "Not a regular file but a character device"});
    }
    for (const auto& tc : cases) {
        Configuration c = ConfigFor("KV-??00", "4.00");
        const FileResult result = ReadConfigFile(tc.Path, c, ReadMode::Full);
        EXPECT_EQ(result.Outcome, tc.Outcome) << tc.Path;
        EXPECT_THAT(result.Message, ::testing::StartsWith(tc.Message)) << tc.Path;
    }
}

}  // namespace
}  // namespace kvtk
