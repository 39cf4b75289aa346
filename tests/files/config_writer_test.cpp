// The written text of a known configuration, and the round trip of random
// configurations through the writer and the reader.
#include "files/config_writer.h"

#include <gmock/gmock.h>

#include <sstream>

#include "files/config_reader.h"
#include "tests/files/kvx_text.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

using test::ConfigFor;

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(ConfigWriter, WritesTheExactTextOfAKnownConfiguration) {
    Configuration c = ConfigFor("KV-4800", "2.05");  // 16 inputs, 8 relays, 12 groups
    c.Panel.Address = "5";
    c.AddressTable[5].Name = "Lobby Panel";
    c.Panel.NumInputs = "2";
    c.Panel.TimerDuration = {"", "00:30", "02:00", "18:00"};
    c.Panel.OnTimeAfterFlash = "05:30";
    c.Panel.FlashOffTime = "1.2";
    c.Panel.RelayRefresh = "15";
    c.Panel.RelayEnergize = "0.156";
    c.Panel.SpecialOptions = 5;
    c.Panel.UnitsAt0V = "0";
    c.Panel.UnitsAt5V = "100";
    c.Inputs[1] = {"Door\r\nLine #9", kLinkedOn, 1, 3, 2, kTrue};  // a break cannot start a line
    c.Inputs[2] = {"", kStateChange, 0, 12, 0, 0};                 // not offered before 4.00
    c.Groups[1].Name = "Hall";
    c.Groups[1].Priority = 7;                                // no priority line
    for (int k : {2, 8, 9}) c.Groups[1].SetMember(k, true);  // 9 is above MaxRelays
    c.Groups[2] = {"", 1, {}, 3, 0, kTrue};
    c.Groups[2].SetMember(2, true);

    std::vector<std::string> groups{"Group Information"};
    groups.insert(groups.end(),
                  {"Zone #1", "Name = Hall", "Type = Normal", "Child = 1", "Child = 2", "Child = 8",
                   "Serial Override = Enabled", "Constant Flash = Disabled"});
    groups.insert(groups.end(),
                  {"Zone #2", "Name = ", "Type = Super", "Child = 2", "Priority = On/Off",
                   "Serial Override = Disabled", "Constant Flash = Enabled"});
    // Groups 3 to 12 as they start: each its own member while that is a relay.
    for (int g = 3; g <= 12; ++g) {
        const std::string n = std::to_string(g);
        groups.insert(groups.end(), {"Zone #" + n, "Name = ", "Type = Normal"});
        if (g <= 8) groups.push_back("Child = " + n);
        groups.insert(groups.end(), {"Priority = None", "Serial Override = Enabled",
                                     "Constant Flash = Disabled"});
    }
    const std::string expected = test::KvxText(
        "KV-4800", "2.05",
        {{"File Header", "Date=12-03-26", "Time=14:05:09", "Desc=Night test"},
         {"Panel Information", "Address=5", "Name=Lobby Panel", "Inputs=2", "Relays=8",
          "Timer 1=00:30", "Timer 2=02:00", "Timer 3=18:00", "Flash On Time=05:30",
          "Flash Off Time=1.2", "Refresh Duration=15", "Relay Energize Duration=0.156",
          "Units At 0V=0", "Units At 5V=100"},
         {"Input Information", "Special Option = 10100000", "Line #1", "Name = Door  Line #9",
          "Contact Type = Linked On", "Timer = 2", "Flash = ON", "Polarity = Normally Closed",
          "Zone = 3", "Line #2", "Name = ", "Contact Type = ", "Timer = 0", "Flash = OFF",
          "Polarity = Normally Open", "Zone = 12"},
         groups});
    EXPECT_EQ(test::FirstDifferentLine(
                  ConfigFileText(c, {"12-03-26", "14:05:09", "  Night test  "}), expected),
              "");
}

// Counts and addresses outside the records are written as typed, but only
// the records that exist are listed.
TEST(ConfigWriter, CountsAndAddressesOutsideTheRecords) {
    struct Case {
        const char* inputs;
        const char* address;
        size_t lines;
        const char* name;
    };
    for (const Case& c : std::vector<Case>{{"200", "300", 120, "Name=\r\n"},
                                           {"-5", "-5", 0, "Name=\r\n"},
                                           {"abc", "255", 0, "Name=Far\r\n"}}) {
        Configuration config = ConfigFor("WQ16", "5.00");
        config.Panel.NumInputs = c.inputs;
        config.Panel.Address = c.address;
        config.AddressTable[255].Name = "Far";
        const std::string text = ConfigFileText(config, {});
        EXPECT_EQ(CountOf(text, "\r\nLine #"), c.lines) << c.inputs;
        EXPECT_THAT(text, testing::HasSubstr("\r\nInputs=" + std::string(c.inputs) + "\r\n"));
        EXPECT_THAT(text,
                    testing::HasSubstr("\r\nAddress=" + std::string(c.address) + "\r\n" + c.name));
    }
}

TEST(ConfigRoundTrip, RandomConfigurationsReadBackIdentical) {
    const std::pair<const char*, const char*> products[] = {
        {"KV-4800", "4.00"}, {"KV-4800", "2.05"}, {"TMC-1400", "4.00"}, {"KV-4500", "1.09"},
        {"KV-??00", "1.10"}, {"WQ32", "5.00"},    {"WQ60", "5.00"}};
    for (const auto& [model, version] : products) {
        for (uint32_t seed = 1; seed <= 25; ++seed) {
            SCOPED_TRACE(std::string(model) + " seed " + std::to_string(seed));
            const Configuration written = test::RandomConfigMaker(seed).Make(model, version);
            const std::string text = ConfigFileText(written, {"01-02-03", "04:05:06", "x"});
            // A fresh configuration for the same product, offline, so that
            // the file's address is taken.
            Configuration read = ConfigFor(model, version);
            std::istringstream in(text);
            ASSERT_TRUE(ReadConfigStream(in, read, ReadMode::Full).Ok());
            // Every value read back is written again as it was.
            EXPECT_EQ(
                test::FirstDifferentLine(ConfigFileText(read, {"01-02-03", "04:05:06", "x"}), text),
                "");
        }
    }
}

}  // namespace
}  // namespace kvtk
