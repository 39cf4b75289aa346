// The accepted variants, limits and failures of the configuration reader.
#include "files/config_reader.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <functional>
#include <random>
#include <sstream>

#include "files/config_writer.h"
#include "files/file_access.h"
#include "test_folder.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

using test::ConfigFor;

const std::string kRule(40, '-');

// A file with the given lines in its panel, input and group sections.
std::string FileWith(const std::vector<std::string>& panel, const std::vector<std::string>& inputs,
                     const std::vector<std::string>& groups) {
    std::string text = kRule + "\r\nKV-??00 4.00 data\r\n" + kRule + "\r\nFile Header\r\n" + kRule +
                       "\r\nPanel Information\r\n";
    for (const auto& line : panel) text += line + "\r\n";
    text += kRule + "\r\nInput Information\r\n";
    for (const auto& line : inputs) text += line + "\r\n";
    text += kRule + "\r\nGroup Information\r\n";
    for (const auto& line : groups) text += line + "\r\n";
    return text + kRule + "\r\nEnd of KV-??00 Data\r\n" + kRule + "\r\n";
}

FileResult Read(const std::string& text, Configuration& c, ReadMode mode = ReadMode::Full) {
    std::istringstream in(text);
    return ReadConfigStream(in, c, mode);
}

using Check = std::function<void(const Configuration&)>;

struct ReaderCase {
    const char* Name;
    std::vector<std::string> Panel, Inputs, Groups;
    Check Expect;
    const char* Model = "KV-??00";  // product in memory while reading
    const char* Version = "4.00";
    bool Online = false;
};

ReaderCase InPanel(const char* name, std::vector<std::string> lines, Check expect,
                   const char* model = "KV-??00", bool online = false) {
    return {name, std::move(lines), {}, {}, std::move(expect), model, "4.00", online};
}
ReaderCase InInputs(const char* name, std::vector<std::string> lines, Check expect,
                    const char* model = "KV-??00", const char* version = "4.00") {
    return {name, {}, std::move(lines), {}, std::move(expect), model, version};
}
ReaderCase InGroups(const char* name, std::vector<std::string> lines, Check expect,
                    const char* model = "KV-??00", const char* version = "4.00") {
    return {name, {}, {}, std::move(lines), std::move(expect), model, version};
}
Check PanelIs(std::string PanelConfig::*field, std::string value) {
    return [=](const Configuration& c) { EXPECT_EQ(c.Panel.*field, value); };
}

class ReaderVariants : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderVariants, ReadsAsSpecified) {
    const ReaderCase& tc = GetParam();
    Configuration c = ConfigFor(tc.Model, tc.Version);
    c.Panel.Address = "7";
    if (tc.Online) c.Status.Connection = "Online";
    const FileResult result = Read(FileWith(tc.Panel, tc.Inputs, tc.Groups), c);
    ASSERT_TRUE(result.Ok()) << result.Message;
    tc.Expect(c);
}

const ReaderCase kReaderCases[] = {
    InPanel("TimersNumberedFromZero",
            {"Timer 0=00:30", "Timer 1=01:00", "Timer 2=02:00", "Timer 3=05:00"},
            [](const Configuration& c) {
                EXPECT_EQ(c.Panel.TimerDuration[1], "00:30");
                EXPECT_EQ(c.Panel.TimerDuration[2], "01:00");
                EXPECT_EQ(c.Panel.TimerDuration[3], "02:00");
            }),
    InPanel("FlashOffNotListedSelects17", {"Flash Off Time=0.50"},
            PanelIs(&PanelConfig::FlashOffTime, "1.7")),
    InPanel("RefreshNotListedSelectsOff", {"Refresh Duration=45"},
            PanelIs(&PanelConfig::RelayRefresh, "OFF")),
    InPanel("RefreshByNumericValue", {"Refresh Duration=3.0"},
            PanelIs(&PanelConfig::RelayRefresh, "3")),
    InPanel("EnergizeZeroSelectsLastOfTmc", {"Relay Energize Duration=0"},
            PanelIs(&PanelConfig::RelayEnergize, "0.156"), "TMC-1400"),
    InPanel("CountsLimitedToTheProduct", {"Inputs=200", "Relays=0"},
            [](const Configuration& c) {
                EXPECT_EQ(c.Panel.NumInputs, "120");
                EXPECT_EQ(c.Panel.NumRelays, "1");
            }),
    InPanel("AddressLimitedOffline", {"Address=300", "Name=North"},
            [](const Configuration& c) {
                EXPECT_EQ(c.Panel.Address, "255");
                EXPECT_EQ(c.AddressTable[255].Name, "North");
                EXPECT_EQ(c.Panel.DeviceName, "North");
            }),
    InPanel(
        "AddressIgnoredOnline", {"Address=300", "Name=North"},
        [](const Configuration& c) {
            EXPECT_EQ(c.Panel.Address, "7");
            EXPECT_EQ(c.AddressTable[7].Name, "North");
        },
        "KV-??00", true),
    InPanel("UnitsMustBeNumeric", {"Units At 0V=abc", "Units At 5V=-1.5"},
            [](const Configuration& c) {
                EXPECT_EQ(c.Panel.UnitsAt0V, "0");
                EXPECT_EQ(c.Panel.UnitsAt5V, "-1.5");
            }),
    InInputs("ContactTypeInLowerCase", {"Line #3", "Contact Type = linked on"},
             [](const Configuration& c) { EXPECT_EQ(c.Inputs[3].Type, kLinkedOn); }),
    InInputs(
        "ContactTypeNotOfferedLeavesMomentaryOn", {"Line #3", "Contact Type = linked on"},
        [](const Configuration& c) { EXPECT_EQ(c.Inputs[3].Type, kMomentaryOn); }, "KV-4500",
        "1.09"),
    InInputs("InputHeadingAndGroupKey",
             {"INPUT #4", "group = 75", "flash = on", "Polarity = normally open", "Timer = 3"},
             [](const Configuration& c) {
                 EXPECT_EQ(c.Inputs[4].Group, 60);
                 EXPECT_EQ(c.Inputs[4].Flash, kTrue);
                 EXPECT_EQ(c.Inputs[4].Polarity, 0);
                 EXPECT_EQ(c.Inputs[4].Timer, 3);
             }),
    InInputs("TimerOutsideZeroToThreeIsIgnored",
             {"Line #1", "Timer = 2", "Line #2", "Timer = 2", "Timer = 7", "Line #3", "Timer = 2",
              "Timer = -1"},
             [](const Configuration& c) {
                 for (int n : {1, 2, 3}) EXPECT_EQ(c.Inputs[n].Timer, 2) << n;
             }),
    InInputs("NameHoldingLineNumberStaysAName", {"Line #1", "Name = Switch line #4", "Timer = 1"},
             [](const Configuration& c) {
                 EXPECT_EQ(c.Inputs[1].Name, "Switch line #4");
                 EXPECT_EQ(c.Inputs[1].Timer, 1);
                 EXPECT_EQ(c.Inputs[4].Timer, 0);
             }),
    InInputs("NameHoldingSpecialOptionStaysAName",
             {"Special Option = 01000000", "Line #1", "Name = Special option 1"},
             [](const Configuration& c) {
                 EXPECT_EQ(c.Inputs[1].Name, "Special option 1");
                 EXPECT_EQ(c.Panel.SpecialOptions, 2);
             }),
    InInputs("SpecialOptionsBitZeroFirst", {"special option = 10100000"},
             [](const Configuration& c) { EXPECT_EQ(c.Panel.SpecialOptions, 5); }),
    InGroups("GroupMemberKeysAndPriorities",
             {"Group #2", "relay = 3", "MEMBER = 4", "group = 5", "Child = 61", "Child = 0",
              "Priority = on / off", "Priority = maybe", "Type = super",
              "Serial Override = disabled", "Constant Flash = ENABLED"},
             [](const Configuration& c) {
                 const GroupConfig& g = c.Groups[2];
                 for (int k = 1; k <= kMemberCount; ++k)
                     EXPECT_EQ(g.HasMember(k), k >= 3 && k <= 5) << "member " << k;
                 EXPECT_EQ(g.Priority, 3);
                 EXPECT_EQ(g.Type, 1);
                 EXPECT_EQ(g.SerialOnPriority, 0);
                 EXPECT_EQ(g.ConstantFlash, kTrue);
             }),
    InGroups("NameHoldingGroupNumberStaysAName", {"Zone #1", "Name = Group #3 lights", "Child = 9"},
             [](const Configuration& c) {
                 EXPECT_EQ(c.Groups[1].Name, "Group #3 lights");
                 EXPECT_TRUE(c.Groups[1].HasMember(9));
                 EXPECT_TRUE(c.Groups[3].HasMember(3));  // untouched default
             }),
    InGroups("ZoneZeroChangesNothing",
             {"Zone #1", "Name = One", "Zone #0", "Name = Zero", "Child = 5", "Type = Super"},
             [](const Configuration& c) {
                 EXPECT_EQ(c.Groups[1].Name, "One");
                 EXPECT_FALSE(c.Groups[1].HasMember(5));
                 EXPECT_EQ(c.Groups[1].Type, 0);
             }),
    InGroups(
        "GroupsAboveMaxGroupsAreStored", {"Zone #40", "Name = Far", "Child = 2"},
        [](const Configuration& c) {
            EXPECT_EQ(c.Groups[40].Name, "Far");
            EXPECT_TRUE(c.Groups[40].HasMember(2));
            EXPECT_FALSE(c.Groups[40].HasMember(40));
        },
        "KV-4800", "2.05"),
};

INSTANTIATE_TEST_SUITE_P(Cases, ReaderVariants, testing::ValuesIn(kReaderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

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

struct FailureCase {
    const char* Name;
    std::string Text;
    FileOutcome Outcome;
    std::string Message;
};

class ReaderFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(ReaderFailures, EndWithTheMessageAndKeepWhatWasRead) {
    Configuration c = ConfigFor("KV-??00", "4.00");
    const FileResult result = Read(GetParam().Text, c);
    EXPECT_EQ(result.Outcome, GetParam().Outcome);
    EXPECT_EQ(result.Title, "File Error");
    EXPECT_EQ(result.Message, GetParam().Message);
    // Every file below sets timer 1 before it fails.
    if (GetParam().Text.find("Timer 1=04:44") != std::string::npos) {
        EXPECT_EQ(c.Panel.TimerDuration[1], "04:44");
    }
}

const std::string kDamaged = "I was not able to read all of the data.\rThe file may be damaged.";
const std::string kPanelOnly = kRule + "\r\nPanel Information\r\nTimer 1=04:44\r\n";

const FailureCase kFailures[] = {
    {"ZoneSixtyOne", FileWith({"Timer 1=04:44"}, {}, {"Zone #61", "Name = x"}), FileOutcome::Other,
     "Group number 61 is outside 0 to 60 (10002)\r"},
    {"InputZero", FileWith({"Timer 1=04:44"}, {"Line #0"}, {}), FileOutcome::Other,
     "Input number 0 is outside 1 to 120 (10001)\r"},
    {"Input121", FileWith({"Timer 1=04:44"}, {"Input #121"}, {}), FileOutcome::Other,
     "Input number 121 is outside 1 to 120 (10001)\r"},
    {"NoPanelSection", "just text\r\n", FileOutcome::Damaged, kDamaged},
    {"PanelSectionNotClosed", kPanelOnly, FileOutcome::Damaged, kDamaged},
    {"NoInputSection", kPanelOnly + kRule + "\r\n", FileOutcome::Damaged, kDamaged},
    {"GroupSectionNotClosed",
     kPanelOnly + kRule + "\r\nInput Information\r\n" + kRule + "\r\nZone #1\r\n",
     FileOutcome::Damaged, kDamaged},
};

INSTANTIATE_TEST_SUITE_P(Files, ReaderFailures, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.Name); });

// Files that are not configuration files at all end with the damaged-file
// message, whatever their size or bytes.
TEST(ConfigReader, HostileFilesEndAsDamaged) {
    test::TestFolder folder;
    std::mt19937 rng(42);
    std::string garbage(1 << 20, '\0');
    for (char& ch : garbage) ch = static_cast<char>(rng());
    const std::pair<const char*, std::string> files[] = {
        {"garbage.kvx", garbage},
        {"oneline.kvx", std::string(3 << 20, 'A')},
        {"zeros.kvx", std::string(1 << 16, '\0')},
        {"nul-in-lines.kvx", std::string("--\0--\r\nPANEL\0INFORMATION\r\n\0\0\0", 29)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        test::PutFileBytes(folder.File(name), bytes);
        Configuration c = ConfigFor("KV-??00", "4.00");
        const FileResult result = ReadConfigFile(folder.File(name), c, ReadMode::Full);
        EXPECT_EQ(result.Outcome, FileOutcome::Damaged);
        EXPECT_EQ(result.Message, kDamaged);
    }
}

TEST(ConfigReader, NulBytesInsideAValidFileAreKeptInNames) {
    Configuration c = ConfigFor("KV-??00", "4.00");
    const std::string name("Hall\0East", 9);
    ASSERT_TRUE(Read(FileWith({}, {"Line #1", "Name = " + name}, {}), c).Ok());
    EXPECT_EQ(c.Inputs[1].Name, name);
}

TEST(ConfigReader, OnlyRegularFilesOfAConfigurationsSizeAreRead) {
    test::TestFolder folder;
    Configuration c = ConfigFor("KV-??00", "4.00");
    const FileResult missing = ReadConfigFile(folder.File("none.kvx"), c, ReadMode::Full);
    EXPECT_EQ(missing.Outcome, FileOutcome::PathNotFound);
    EXPECT_EQ(missing.Title, "File Error");
    EXPECT_EQ(missing.Message, "No such file or directory (2)\r");
    const std::string pipe = folder.File("pipe.kvx");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = folder.File("huge.kvx");
    test::PutFileBytes(huge, FileWith({}, {}, {}));
    std::filesystem::resize_file(huge, kMaxConfigFileBytes + 1);
    // Pipes and endless devices are refused instead of read forever.
    const std::pair<std::string, std::string> refused[] = {
        {folder.Path().string(), "Is a directory"},
        {pipe, "Not a regular file but a named pipe"},
        {"/dev/zero", "Not a regular file but a character device"},
        {huge, "The file is too large to be a configuration file"},
    };
    for (const auto& [path, message] : refused) {
        const FileResult result = ReadConfigFile(path, c, ReadMode::Full);
        EXPECT_EQ(result.Outcome, FileOutcome::Other) << path;
        EXPECT_THAT(result.Message, ::testing::StartsWith(message)) << path;
    }
}

}  // namespace
}  // namespace kvtk
