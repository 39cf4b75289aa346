#include "model/conversions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kvtk {
namespace {

TEST(Conversions, Base32) {
    EXPECT_EQ(NumberToBase32(0), "0");
    EXPECT_EQ(NumberToBase32(31), "V");
    EXPECT_EQ(NumberToBase32(32), "10");
    EXPECT_EQ(NumberToBase32(-5), "0");
}

TEST(Conversions, Base32PaddedCutsLeadingDigits) {
    struct Case {
        double value;
        int width;
        const char* text;
    };
    const std::vector<Case> cases{
        {768, 2, "O0"}, {1535, 2, "FV"}, {0, 2, "00"},          {31, 2, "0V"},
        {32, 2, "10"},  {5, 1, "5"},     {1535, 8, "000001FV"}, {-3, 2, "00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToBase32Padded(c.value, c.width), c.text) << c.value << "," << c.width;
}

TEST(Conversions, NumberToHex) {
    struct Case {
        double value;
        int width;
        const char* text;
    };
    const std::vector<Case> cases{
        {10, 2, "0A"},      {255, 2, "FF"},
        {4660, 4, "1234"},  {0, 4, "0000"},
        {0, 2, "00"},       {171, 2, "AB"},
        {256, 2, "00"},     {300, 2, "2C"},
        {65535, 4, "FFFF"}, {4.0001, 2, "04"},
        {31.6, 2, "20"},    {-7, 2, "00"},
        {1e30, 4, "FFFF"},  {0x12345678, 8, "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToHex(c.value, c.width), c.text) << c.value << "," << c.width;
}

TEST(Conversions, HexToNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const std::vector<Case> cases{
        {"0A", 10},
        {"0a", 10},
        {"7FFF", 32767},
        {"FFFF", 65535},
        {"FFFFFFF", 268435455},
        {"FFFFFFFF", -1},
        {"80000000", -2147483648.0},
        {"", 0},
        {"ZZ", 0},
        {" 1", 0},
        {"1G", 1},
        {"123456789", 0x12345678},
        {"99999999999999999999", static_cast<double>(int32_t(0x99999999))},
    };
    for (const auto& c : cases) EXPECT_EQ(HexToNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(Conversions, NumberToBitsWritesBitZeroFirstAndConsumesCount) {
    const struct {
        int value;
        int16_t count;
        const char* bits;
    } cases[] = {{5, 4, "1010"}, {6, 3, "011"}, {0xA5, 8, "10100101"}, {7, -2, ""}};
    for (const auto& c : cases) {
        int16_t count = c.count;
        EXPECT_EQ(NumberToBits(c.value, count), c.bits) << c.value;
        EXPECT_EQ(count, 0) << c.value;
    }
}

TEST(Conversions, BitsToNumberReadsFirstCharacterAsMostSignificant) {
    EXPECT_EQ(BitsToNumber("011"), 3);
    EXPECT_EQ(BitsToNumber("1010"), 10);
    EXPECT_EQ(BitsToNumber(""), 0);
    EXPECT_EQ(BitsToNumber("1x1"), 5);
    EXPECT_EQ(BitsToNumber(std::string(100, '1')), -1);  // wraps, never overflows
}

TEST(Conversions, HexSecondsToTime) {
    const std::pair<const char*, const char*> cases[] = {
        {"0E10", "01:00:00"}, {"FFFF", "18:12:15"}, {"003D", "00:01:01"},
        {"123", ""},          {"12345", ""},        {"", ""},
        {"ZZZZ", "00:00:00"},
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
        "\"\"\r\n"
        "last");
    EXPECT_EQ(ReadField(in), "Front door");
    EXPECT_EQ(ReadField(in), "12");
    EXPECT_EQ(ReadField(in), "abc");
    EXPECT_EQ(ReadField(in), "x");  // "-" is below "0" and goes
    EXPECT_EQ(ReadField(in), "");
    EXPECT_EQ(ReadField(in), "last");  // end of file ends the field
    EXPECT_EQ(ReadField(in), std::nullopt);
    EXPECT_EQ(ReadField(in), std::nullopt);

    std::istringstream eightBit("Caf\xE9\r\n");
    EXPECT_EQ(ReadField(eightBit), "Caf\xE9");
    std::istringstream onlyLineEnds("\r\n\n");
    EXPECT_EQ(ReadField(onlyLineEnds), std::nullopt);
    std::istringstream empty;
    EXPECT_EQ(ReadField(empty), std::nullopt);
}

TEST(Conversions, NumericValueOfFieldTexts) {
    EXPECT_EQ(NumericValue("12"), 12);
    EXPECT_EQ(NumericValue(" 1 2"), 12);
    EXPECT_EQ(NumericValue("0.5"), 0.5);
    EXPECT_EQ(NumericValue("4.00+"), 4.0);
    EXPECT_EQ(NumericValue("OFF"), 0);
    EXPECT_EQ(NumericValue("-3x"), -3);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(IntegerValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(IntegerValue("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(IntegerValue("2.5"), 2);  // ties to even
    EXPECT_EQ(IntegerValue("3.5"), 4);
}

TEST(Conversions, SpinStepValue) {
    EXPECT_EQ(SpinStepValue("5", 10, 1), 6);
    EXPECT_EQ(SpinStepValue("10", 10, 1), std::nullopt);
    EXPECT_EQ(SpinStepValue("5", 1, 0), 4);
    EXPECT_EQ(SpinStepValue("1", 1, -1), std::nullopt);
    EXPECT_EQ(SpinStepValue("abc", 10, 1), 1);
    EXPECT_EQ(SpinStepValue("99999999999999999999", 60, 1), std::nullopt);
}

TEST(Conversions, SpinHeldAcceleratesEverySixStepsDownToTenMs) {
    SpinTick tick;
    int64_t now = 100000;
    int delay = SpinStepDelay(tick, now, 225);  // first press: not held
    EXPECT_EQ(delay, 225);
    std::vector<int> delays;
    for (int step = 0; step < 60; ++step) {
        now += delay;  // held: the next step comes one repeat delay later
        delay = SpinStepDelay(tick, now, delay);
        delays.push_back(delay);
    }
    // Six steps count, the seventh halves.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(delays[i], 225) << i;
    EXPECT_EQ(delays[6], 112);
    EXPECT_EQ(delays[13], 56);
    EXPECT_EQ(delays[20], 28);
    EXPECT_EQ(delays[27], 14);
    EXPECT_EQ(delays[34], 7);
    EXPECT_EQ(delays.back(), 7);  // 10 ms or less: no further halving

    now += 501;  // released for more than half a second
    EXPECT_EQ(SpinStepDelay(tick, now, delay), 225);
    EXPECT_EQ(tick.LastMs, now);
    now += 300;  // a pause between 1.1 x delay and 500 ms keeps the delay
    EXPECT_EQ(SpinStepDelay(tick, now, 56), 56);
}

}  // namespace
}  // namespace kvtk
