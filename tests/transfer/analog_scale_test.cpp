#include "transfer/analog_scale.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kvtk {
namespace {

struct ScaleCase {
    int32_t raw;
    int16_t at0V;
    int16_t at5V;
    int16_t shown;
};

TEST(AnalogScale, RawReadingsInUserUnits) {
    const std::vector<ScaleCase> cases{
        {255, 0, 100, 100},
        {0, 0, 100, 0},
        {128, 0, 100, 50},  // 50.196
        {127, 0, 100, 50},  // 49.804
        {255, 100, 0, 0},   // the scale may run downwards
        {0, 100, 0, 100},
        {51, -10, 10, -6},  // -6.0
        // A four-digit reading scales beyond 5 V and is held to 16 bits.
        {0x0200, 0, 100, 201},
        {0xFFFF, 0, 100, 25700},
        {0xFFFF, 0, 32767, 32767},
        {0xFFFF, 0, -32768, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleAnalog(c.raw, c.at0V, c.at5V), c.shown) << c.raw << " " << c.at0V;
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

}  // namespace
}  // namespace kvtk
