#include "transfer/input_word.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtk {
namespace {

InputConfig Input(int16_t type, int16_t timer, int16_t group, bool flash, int16_t polarity) {
    InputConfig in;
    in.Name = "kept";
    in.Type = type;
    in.Timer = timer;
    in.Group = group;
    in.Flash = OnValue(flash);
    in.Polarity = polarity;
    return in;
}

struct EncodeCase {
    InputConfig input;
    InputLayout layout;
    uint16_t word;
};

TEST(InputWord, Encodings) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    const std::vector<EncodeCase> cases{
        {Input(4, 2, 12, true, 1), cur, 0xC64C},
        {Input(4, 2, 12, true, 1), early, 0xC10C},  // type 4 goes as type bits 0
        {Input(0, 0, 0, false, 0), cur, 0x0000},
        {Input(1, 0, 1, false, 0), cur, 0x0041},
        {Input(2, 1, 2, false, 0), cur, 0x0182},
        {Input(3, 3, 63, false, 0), cur, 0x03FF},
        {Input(5, 0, 60, false, 0), cur, 0x04BC},  // State Change: ext + 2
        {Input(1, 3, 31, false, 1), early, 0x81BF},
        {Input(3, 1, 5, true, 0), early, 0x40E5},
        // Out-of-range fields are cut to their bits, never spill over.
        {Input(1, 0, 64, false, 0), cur, 0x0040},
        {Input(1, 0, 40, false, 0), early, 0x0028},
        {Input(0, 7, -1, false, 0), cur, 0x033F},
        {Input(0, 0, 0, false, -1), cur, 0x0000},  // only polarity 1 is normally closed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeInputWord(c.input, c.layout), c.word)
            << "type " << c.input.Type << " timer " << c.input.Timer << " group " << c.input.Group
            << (c.layout == cur ? " current" : " early");
    }
}

// Inputs 1 to 16 are on the wire in the read and write tests.
TEST(InputWord, Commands) {
    EXPECT_EQ(InputWriteCommand(120, 0x0041), "LW9780041");
    EXPECT_EQ(InputReadCommand(120), "LR978");
}

struct DecodeCase {
    uint16_t word;
    InputLayout layout;
    double firmware;
    InputWordFields fields;
    bool disableLinkedOn;
    bool disableStateChange;
};

TEST(InputWord, DecodingsAndFirmwareTypeLimits) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    const std::vector<DecodeCase> cases{
        {0xC64C, cur, 4.0, {4, 2, 12, 1, true}, false, false},
        {0xC10C, early, 1.0, {0, 2, 12, 1, true}, false, false},
        {0x04BC, cur, 4.0, {5, 0, 60, 0, false}, false, false},
        {0x04BC, cur, 2.05, {5, 0, 60, 0, false}, false, true},  // kept, menu entry off
        {0x04BC, cur, 2.04, {1, 0, 60, 0, false}, true, false},  // above 4 -> Momentary On
        {0x044C, cur, 1.5, {4, 0, 12, 0, false}, true, false},   // Linked On kept below 2.05
        {0x04CC, cur, 4.0, {1, 0, 12, 0, false}, false, false},  // 3 + 3 = 6 -> 1
        {0x040C, cur, 4.0, {3, 0, 12, 0, false}, false, false},  // ext + 0 = 3
        {0x00CC, cur, 1.1, {3, 0, 12, 0, false}, false, false},  // no ext: no limits
        {0x3800, cur, 4.0, {0, 0, 0, 0, false}, false, false},   // bits 13..11 ignored
        {0xFFFF, early, 1.0, {3, 3, 31, 1, true}, false, false},
        {0x0060, early, 1.0, {3, 0, 0, 0, false}, false, false},
    };
    for (const auto& c : cases) {
        const auto d = DecodeInputWord(c.word, c.layout, c.firmware);
        const auto& f = d.Fields;
        SCOPED_TRACE(testing::Message() << std::hex << c.word << " fw " << c.firmware);
        EXPECT_EQ(f.Type, c.fields.Type);
        EXPECT_EQ(f.Timer, c.fields.Timer);
        EXPECT_EQ(f.Group, c.fields.Group);
        EXPECT_EQ(f.Polarity, c.fields.Polarity);
        EXPECT_EQ(f.Flash, c.fields.Flash);
        EXPECT_EQ(d.DisableSetAllLinkedOn, c.disableLinkedOn);
        EXPECT_EQ(d.DisableSetAllStateChange, c.disableStateChange);
    }
}

TEST(InputWord, RepliesAndApplying) {
    EXPECT_EQ(InputWordFromReply("AC64C"), 0xC64C);
    EXPECT_EQ(InputWordFromReply("AC64C99"), 0xC64C);
    EXPECT_EQ(InputWordFromReply("A"), 0);
    EXPECT_EQ(InputWordFromReply(""), 0);
    EXPECT_EQ(InputWordFromReply("AC6"), 0xC6);  // fewer digits, never past the end
    EXPECT_EQ(InputWordFromReply("AXYZW"), 0);

    InputConfig in = Input(0, 0, 0, false, 0);
    ApplyInputWord(DecodeInputWord(0xC64C, InputLayout::Current, 4.0).Fields, in);
    EXPECT_EQ(in.Name, "kept");
    EXPECT_EQ(in.Type, 4);
    EXPECT_EQ(in.Timer, 2);
    EXPECT_EQ(in.Group, 12);
    EXPECT_EQ(in.Polarity, 1);
    EXPECT_EQ(in.Flash, kTrue);
}

}  // namespace
}  // namespace kvtk
