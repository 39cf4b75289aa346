#include "ui/widgets/time_entry.h"

#include <gtest/gtest.h>

#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

struct CompletionCase {
    const char* typed;
    bool onTime;
    const char* completed;
    bool beep;
};

TEST(TimeEntry, CompletesPartlyTypedValues) {
    const CompletionCase cases[] = {
        {"00:05", true, "00:10", true},    // below the on time's minimum
        {"7_:__", true, "07:00", false},   // a lone first minute digit
        {"3_:7_", false, "03:59", true},   // 70 minutes is above 59
        {"_5:_3", false, "05:03", false},  // second digits only
        {"0_:0_", false, "00:00", false},
        {"__:__", false, "00:00", false},
        {"__:__", true, "00:10", true},
        {"18:00", false, "18:00", false},
        {"60:00", true, "60:00", false},
        {"25:00", false, "18:00", true},  // complete but out of range (from a file)
        {"10:75", false, "10:59", true},
        {"1:5", false, "01:05", false},  // short model text
        {"junk", true, "00:10", true},
    };
    for (const auto& c : cases) {
        const TimeCompletion done =
            CompleteTime(c.typed, c.onTime ? kOnTimeAfterFlashLimits : kTimerLimits);
        EXPECT_EQ(done.Text, c.completed) << c.typed;
        EXPECT_EQ(done.Beep, c.beep) << c.typed;
    }
}

TEST(TimeEntry, KeysThatLeaveTheLimitsAreRefused) {
    const struct {
        const char* text;
        bool onTime;
        bool allowed;
    } cases[] = {
        {"18:00", false, true},  {"18:01", false, false}, {"19:__", false, false},
        {"18:5_", false, false}, {"1_:__", false, true},  {"3_:7_", false, true},
        {"60:00", true, true},   {"60:01", true, false},  {"61:__", true, false},
        {"00:60", true, false},  {"00:59", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeWithinLimits(c.text, c.onTime ? kOnTimeAfterFlashLimits : kTimerLimits),
                  c.allowed)
            << c.text;
}

TEST(TimeEntry, DigitsOverwriteAndStepOverTheColon) {
    auto edit = TypeTimeDigit("12:34", 1, 1, 0, '5');
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Text, "15:34");
    EXPECT_EQ(edit->Caret, 3);  // over the colon
    edit = TypeTimeDigit("12:34", 2, 2, 0, '9');
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Text, "12:94");
    EXPECT_FALSE(TypeTimeDigit("12:34", 5, 5, 0, '1'));  // no room after the end
    edit = TypeTimeDigit("12:34", 5, 0, 5, '7');         // whole text selected
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Text, "7_:__");
    EXPECT_EQ(edit->Caret, 1);
}

TEST(TimeEntry, ErasingBlanksButKeepsTheColon) {
    TimeEdit back = EraseTimeBack("12:34", 3, 3, 0);
    EXPECT_EQ(back.Text, "1_:34");
    EXPECT_EQ(back.Caret, 1);
    back = EraseTimeBack("12:34", 0, 0, 0);
    EXPECT_EQ(back.Text, "12:34");
    const TimeEdit forward = EraseTimeForward("12:34", 2, 2, 0);
    EXPECT_EQ(forward.Text, "12:_4");
    EXPECT_EQ(EraseTimeBack("12:34", 5, 1, 3).Text, "1_:_4");
}

TEST(TextConvert, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToCoreText(ToQString(all)), all);
    EXPECT_EQ(ToQString("\x80").at(0).unicode(), 0x20AC);  // the euro sign
    EXPECT_EQ(ToCoreText(QString(QChar(0x4E2D))), "?");    // not in Windows-1252
}

}  // namespace
}  // namespace kvtk
