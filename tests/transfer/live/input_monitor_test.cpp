#include "transfer/live/input_monitor.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/fake_panel.h"
#include "transfer/live/analog_scale.h"

namespace kvtk {
namespace {

TEST(AnalogScale, RawReadingsInUserUnits) {
    const std::vector<std::array<int, 4>> cases{
        // raw reading, units at 0 V and at 5 V, shown
        {255, 0, 100, 100},
        {128, 0, 100, 50},  // 50.196
        {127, 0, 100, 50},  // 49.804
        {255, 100, 0, 0},   // the scale may run downwards
        {51, -10, 10, -6},  // -6.0
        // A four-digit reading scales beyond 5 V and is held to 16 bits.
        {0x0200, 0, 100, 201},
        {0xFFFF, 0, 100, 25700},
        {0xFFFF, 0, 32767, 32767},
        {0xFFFF, 0, -32768, -32768},
    };
    for (const auto& [raw, at0V, at5V, shown] : cases)
        EXPECT_EQ(ScaleAnalog(raw, static_cast<int16_t>(at0V), static_cast<int16_t>(at5V)), shown)
            << raw << " " << at0V;
}

TEST(AnalogScale, CalibrationTexts) {
    const std::vector<std::pair<const char*, std::optional<int16_t>>> cases{
        {"0", 0},   {" 25 ", 25},  {"-32768", -32768}, {"32767", 32767}, {"+7", 7},   {"1.5", 2},
        {"2.5", 2}, {".5", 0},     {"1e2", 100},       {"abc", {}},      {"", {}},    {"12abc", {}},
        {"-", {}},  {"32768", {}}, {"-32769", {}},     {"1e999", {}},    {"1 2", {}},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(CalibrationValue(text), value) << text;
    EXPECT_EQ(CalibrationValueOnOpening("abc"), 0);
    EXPECT_EQ(CalibrationValueOnOpening("99999"), 32767);
    EXPECT_EQ(CalibrationValueOnOpening("-1e999"), -32768);
    EXPECT_EQ(CalibrationValueOnOpening("42"), 42);
}

class InputMonitorTest : public ::testing::Test {
protected:
    InputMonitorTest() {
        config.Panel.Address = "12";
        config.Identity = {"KV-4900", "4.01"};
        exchange.Responder = [this](int, const std::string& command) {
            if (command == "LR65") return inputCount;
            if (command == "LR8") return inputs;
            if (command == "LR270106") return sixChannels;
            if (command == "LR26") return oneChannel;
            return std::string("T");
        };
    }

    std::vector<int> Ticked() const {
        std::vector<int> ticked;
        for (int k = 1; k <= 120; ++k)
            if (monitor.BoxTicked(k)) ticked.push_back(k);
        return ticked;
    }

    std::string inputCount = "A78";
    std::string inputs = "A" + std::string(30, '0');
    std::string sixChannels = "A" + std::string(24, '0');
    std::string oneChannel = "A00";
    Configuration config;
    test::ScriptedPanel exchange;
    InputMonitor monitor{exchange, config};
};

TEST_F(InputMonitorTest, OpeningShowsTheReportedInputs) {
    inputCount = "A0C";
    ASSERT_TRUE(monitor.Open());
    EXPECT_TRUE(monitor.Running());
    EXPECT_TRUE(monitor.BoxVisible(12));
    EXPECT_FALSE(monitor.BoxVisible(13));
    EXPECT_EQ(exchange.Sent(), "LR65");
    EXPECT_EQ(exchange.Calls[0].Address, 12);
    EXPECT_EQ(exchange.Calls[0].Style, FailureStyle::RetryCancel);

    inputCount = "AFF";  // never more than 120 boxes
    ASSERT_TRUE(monitor.Open());
    EXPECT_EQ(monitor.VisibleInputs(), 120);

    // Each input byte ticks its boxes; a reply short of the bytes is no
    // reading and leaves them as they are.
    inputs = "A05" + std::string(28, '0');
    monitor.PollInputs();
    EXPECT_EQ(Ticked(), (std::vector<int>{1, 3}));
    inputs = "A";
    monitor.PollInputs();
    EXPECT_EQ(Ticked(), (std::vector<int>{1, 3}));
    EXPECT_EQ(exchange.Calls.back().DataChars, 30);
    inputs = "A0080" + std::string(24, '0') + "01";  // input 16 and input 113
    monitor.PollInputs();
    EXPECT_EQ(Ticked(), (std::vector<int>{16, 113}));

    // A KV-4800 reports 16 inputs: later bytes are ignored.
    config.Identity = {"KV-4800", "4.01"};
    inputs = "A" + std::string(30, 'F');
    monitor.PollInputs();
    EXPECT_EQ(Ticked().size(), 17u);  // 1..16, and 113 left as it was
    EXPECT_FALSE(monitor.BoxTicked(17));

    inputCount = "";
    EXPECT_FALSE(monitor.Open());
    EXPECT_FALSE(monitor.Running());
}

// 4.01 reads six channels, 4.00 only channel 5 through LR26, 3.90 none.
TEST_F(InputMonitorTest, AnalogChannelsByFirmware) {
    sixChannels = "A00FF000000800200000100FE";
    oneChannel = "A80";
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"4.01", "LR8 LR270106", "100 0 50 201 0 100"},
        {"4.00", "LR8 LR26", "0 0 0 0 50 0"},
        {"3.90", "LR8", nullptr},
    };
    for (const auto& [version, sent, texts] : cases) {
        config.Identity.Version = version;
        ASSERT_TRUE(monitor.Open());
        exchange.Calls.clear();
        monitor.PollInputs();
        EXPECT_EQ(exchange.Sent(), sent);
        EXPECT_EQ(monitor.AnalogShown(), texts != nullptr);
        if (!texts) continue;
        std::string shown;
        for (int c = 1; c <= 6; ++c) shown += (c > 1 ? " " : "") + monitor.AnalogText(c);
        EXPECT_EQ(shown, texts) << version;
    }
}

TEST_F(InputMonitorTest, CalibrationFields) {
    config.Panel.UnitsAt0V = "100";
    config.Panel.UnitsAt5V = "0";
    sixChannels = "A00FF" + std::string(20, '0');
    ASSERT_TRUE(monitor.Open());
    monitor.PollInputs();
    EXPECT_EQ(monitor.AnalogText(1), "0");
    EXPECT_EQ(monitor.AnalogText(2), "100");

    EXPECT_EQ(monitor.LeaveUnitsAt0V("abc"), std::optional<std::string>("Invalid value."));
    EXPECT_EQ(monitor.UnitsAt0VText(), "100");
    EXPECT_EQ(monitor.LeaveUnitsAt0V("-50"), std::nullopt);
    EXPECT_EQ(monitor.LeaveUnitsAt5V("50"), std::nullopt);
    EXPECT_EQ(config.Panel.UnitsAt0V, "-50");
    monitor.PollInputs();  // applies at once, before the next opening
    EXPECT_EQ(monitor.AnalogText(1), "50");
    EXPECT_EQ(monitor.AnalogText(2), "-50");
}

TEST_F(InputMonitorTest, NothingIsSentAfterClose) {
    ASSERT_TRUE(monitor.Open());
    exchange.Calls.clear();
    int events = 0;
    while (monitor.RunPass())
        if (++events == 2) monitor.Stop();
    EXPECT_EQ(events, 2);
    EXPECT_EQ(exchange.Commands().size(), 4u);  // two whole polls
    EXPECT_FALSE(monitor.Running());

    // Closed while "LR8" is under way: the analog read is not sent.
    ASSERT_TRUE(monitor.Open());
    exchange.Calls.clear();
    exchange.Responder = [this](int, const std::string&) {
        monitor.Stop();
        return inputs;
    };
    EXPECT_FALSE(monitor.RunPass());
    EXPECT_EQ(exchange.Commands(), std::vector<std::string>{"LR8"});

    ASSERT_TRUE(monitor.Open());
    exchange.Queued = {"A00", ""};  // cancelled analog read
    events = 0;
    while (monitor.RunPass()) ++events;
    EXPECT_EQ(events, 0);
    EXPECT_EQ(monitor.LastReply(), "");
}

}  // namespace
}  // namespace kvtk
