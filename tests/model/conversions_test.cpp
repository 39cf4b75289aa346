#include "model/conversions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kvtk {
namespace {

TEST(Conversions, NumbersToDigitsCutLeadingDigitsAndRound) {
    EXPECT_EQ(NumberToBase32(31), "V");
    EXPECT_EQ(NumberToBase32(-5), "0");
    const struct {
        std::string (*convert)(double, int);
        double value;
        int width;
        const char* text;
    } cases[] = {
        {NumberToBase32Padded, 1535, 2, "FV"}, {NumberToBase32Padded, 1535, 8, "000001FV"},
        {NumberToBase32Padded, -3, 2, "00"},   {NumberToHex, 171, 2, "AB"},
        {NumberToHex, 300, 2, "2C"},           {NumberToHex, 4.0001, 2, "04"},
        {NumberToHex, 31.6, 2, "20"},          {NumberToHex, -7, 2, "00"},
        {NumberToHex, 1e30, 4, "FFFF"},        {NumberToHex, 0x12345678, 8, "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.convert(c.value, c.width), c.text) << c.value << "," << c.width;
}

TEST(Conversions, HexToNumber) {
    const std::pair<const char*, double> cases[] = {
        {"0a", 10},
        {"FFFFFFFF", -1},
        {"80000000", -2147483648.0},
        {"", 0},
        {"1G", 1},
        {"123456789", 0x12345678},
        {"99999999999999999999", static_cast<double>(int32_t(0x99999999))},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(HexToNumber(text), value) << text;
}

TEST(Conversions, BitsAreWrittenBitZeroFirstAndReadFirstCharacterMostSignificant) {
    const struct {
        int value;
        int16_t count;
        const char* bits;
    } cases[] = {{6, 3, "011"}, {0xA5, 8, "10100101"}, {7, -2, ""}};
    for (const auto& c : cases) {
        int16_t count = c.count;
        EXPECT_EQ(NumberToBits(c.value, count), c.bits) << c.value;
        EXPECT_EQ(count, 0) << c.value;
    }
    EXPECT_EQ(BitsToNumber("011"), 3);
    EXPECT_EQ(BitsToNumber("1x1"), 5);
    EXPECT_EQ(BitsToNumber(std::string(100, '1')), -1);  // wraps, never overflows
}

TEST(Conversions, HexSecondsToTime) {
    const std::pair<const char*, const char*> cases[] = {
        {"0E10", "01:00:00"}, {"FFFF", "18:12:15"}, {"123", ""},
        {"12345", ""},        {"ZZZZ", "00:00:00"},
    };
    for (const auto& [hex, time] : cases) EXPECT_EQ(HexSecondsToTime(hex), time) << hex;
}

TEST(Conversions, TimeToSecondsCompletesTheCallersText) {
    const struct {
        const char *typed, *completed;
        int seconds;
    } cases[] = {{"18:00", "18:00:00", 64800},
                 {"00:10:05", "00:10:05", 605},
                 {"", "", 0},
                 {"ab:cd", "ab:cd:00", 0},
                 {"9", "9", 9 * 3600}};
    for (const auto& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(TimeToSeconds(text), c.seconds) << c.typed;
        EXPECT_EQ(text, c.completed) << c.typed;
    }
}

TEST(Conversions, ReadFieldTakesOneLinePerField) {
    std::istringstream in(
        "\"Front door\"\r\n"
        "12,\r\n"
        "\r\n\r\n"
        "  a,b\"c  \r\n"
        "x-\n"
        "Caf\xE9\r\n"
        "\"\"\r\n"
        "last");
    for (const char* field : {"Front door", "12", "abc", "x", "Caf\xE9", "", "last"})
        EXPECT_EQ(ReadField(in), field);  // "-" is below "0" and goes
    EXPECT_EQ(ReadField(in), std::nullopt);
    std::istringstream onlyLineEnds("\r\n\n");
    EXPECT_EQ(ReadField(onlyLineEnds), std::nullopt);
}

TEST(Conversions, NumericValueOfFieldTexts) {
    const std::pair<const char*, double> cases[] = {{" 1 2", 12}, {"0.5", 0.5}, {"4.00+", 4.0},
                                                    {"OFF", 0},   {"-3x", -3},  {"", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(NumericValue(text), value) << text;
    EXPECT_EQ(IntegerValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(IntegerValue("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(IntegerValue("2.5"), 2);  // ties to even
    EXPECT_EQ(IntegerValue("3.5"), 4);
}

TEST(Conversions, SpinStepValue) {
    EXPECT_EQ(SpinStepValue("5", 10, 1), 6);
    EXPECT_EQ(SpinStepValue("10", 10, 1), std::nullopt);
    EXPECT_EQ(SpinStepValue("1", 1, -1), std::nullopt);
    EXPECT_EQ(SpinStepValue("abc", 10, 1), 1);
    EXPECT_EQ(SpinStepValue("99999999999999999999", 60, 1), std::nullopt);
}

TEST(Conversions, SpinHeldAcceleratesEverySixStepsDownToTenMs) {
    SpinTick tick;
    int64_t now = 100000;
    std::vector<int> delays{SpinStepDelay(tick, now, 225)};  // first press: not held
    while (delays.size() < 40) {
        now += delays.back();  // held: the next step comes one repeat delay later
        delays.push_back(SpinStepDelay(tick, now, delays.back()));
    }
    // Six steps count, the seventh halves; at 10 ms or less no more halving.
    EXPECT_EQ(std::vector<int>(delays.begin() + 5, delays.begin() + 9),
              (std::vector<int>{225, 225, 112, 112}));
    EXPECT_EQ(delays.back(), 7);
    now += 501;  // released for more than half a second
    EXPECT_EQ(SpinStepDelay(tick, now, delays.back()), 225);
    now += 300;  // a pause between 1.1 x delay and 500 ms keeps the delay
    EXPECT_EQ(SpinStepDelay(tick, now, 56), 56);
}

}  // namespace
}  // namespace kvtk
