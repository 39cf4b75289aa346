// The register map: which register holds which setting, and how values are
// spelled in commands and decoded from replies, odd replies included.
#include "transfer/registers/register_map.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "model/configuration.h"
#include "transfer/registers/firmware_conditions.h"
#include "transfer/registers/group_registers.h"
#include "transfer/registers/input_word.h"
#include "transfer/registers/member_bytes.h"

namespace kvtk {
namespace {

// Per product and firmware: input word layout, member bytes read and
// written, flash-off code table, group 60 skipped on write, special options
// and group flash transferred.
TEST(FirmwareConditions, Table) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    using Conditions = std::tuple<InputLayout, int, int, bool, bool, bool, bool>;
    const std::vector<std::pair<ProductIdentity, Conditions>> cases{
        {{"KV-4800", "1.00"}, {cur, 1, 1, false, false, false, false}},
        {{"KV-4800", "3.99"}, {cur, 1, 1, false, false, true, true}},
        {{"KV-4800", "4.00"}, {cur, 8, 1, false, false, true, true}},
        {{"KV-4500", "1.09"}, {early, 8, 8, true, false, false, false}},
        {{"KV-4500", "1.10"}, {cur, 8, 8, false, false, false, false}},
        {{"KV-4600", "1.09"}, {early, 8, 8, false, true, false, false}},
        {{"KV-4600", "1.10"}, {cur, 8, 8, false, false, false, false}},
        {{"KV-4900", "1.18"}, {cur, 8, 8, false, false, false, false}},
        {{"KV-4900", "1.19"}, {cur, 8, 8, false, false, false, true}},
        {{"KV-4900", "2.05"}, {cur, 8, 8, false, false, false, true}},
        {{"KV-4900", "2.06"}, {cur, 8, 8, false, false, true, true}},
        {{"TMC-1400", ".50"}, {early, 8, 8, false, false, false, false}},
        {{"WQ16", "5.00"}, {cur, 8, 8, false, false, true, true}},
        {{"", ""}, {early, 8, 8, false, false, false, false}},
    };
    for (const auto& [id, expected] : cases) {
        EXPECT_EQ(Conditions(InputWordLayout(id), MemberReadBytes(id), MemberWriteBytes(id),
                             UsesFlashOffCodeTable(id), SkipsGroup60OnWrite(id),
                             TransfersSpecialOptions(id), TransfersGroupFlash(id)),
                  expected)
            << id.Model << " " << id.Version;
    }
}

// The text field of header rows 2 to 10.
std::string& Field(PanelConfig& p, int row) {
    if (row >= 6 && row <= 8) return p.TimerDuration[static_cast<size_t>(row - 5)];
    std::string PanelConfig::*const fields[] = {&PanelConfig::NumInputs,
                                                &PanelConfig::NumRelays,
                                                &PanelConfig::OnTimeAfterFlash,
                                                &PanelConfig::FlashOffTime,
                                                nullptr,
                                                nullptr,
                                                nullptr,
                                                &PanelConfig::RelayRefresh,
                                                &PanelConfig::RelayEnergize};
    return p.*fields[row - 2];
}

TEST(HeaderRegisters, WriteCommandsOfEditedTexts) {
    const ProductIdentity kv4900{"KV-4900", "4.00"};
    const ProductIdentity oldKv4500{"KV-4500", "1.09"};
    // row, field text, product, command
    const std::vector<std::tuple<int, const char*, ProductIdentity, std::optional<std::string>>>
        cases{
            {2, "120", kv4900, "LW6578"},     {2, "99999999999999999999", kv4900, "LW65FF"},
            {3, "junk", kv4900, "LW6400"},    {4, "60:00", kv4900, "LW610E10"},
            {4, "00:10", kv4900, "LW61000A"}, {5, "2.0", kv4900, "LW6214"},
            {5, "1.1", kv4900, "LW620B"},     {5, "", kv4900, std::nullopt},
            {5, "0.9", kv4900, std::nullopt}, {5, "0.5", oldKv4500, "LW6204"},
            {5, "1.8", oldKv4500, "LW6213"},  {5, "OFF", oldKv4500, std::nullopt},
            {5, "2.0", oldKv4500, "LW6214"},  {5, "1.0", {"KV-4500", "1.10"}, "LW620A"},
            {6, "18:00", kv4900, "LW41FD20"}, {8, "00:01", kv4900, "LW43003C"},
            {9, "30", kv4900, "LW661E"},      {9, "3", kv4900, "LW6603"},
            {10, "1.560", kv4900, "LW6382"},  {10, "0.024", kv4900, "LW6302"},
            {10, "0.156", kv4900, "LW630D"},
        };
    for (const auto& [row, text, id, command] : cases) {
        PanelConfig panel = Configuration{}.Panel;
        Field(panel, row) = text;
        EXPECT_EQ(HeaderWriteCommand(row, panel, id), command) << row << " " << text << id.Version;
    }
    PanelConfig panel = Configuration{}.Panel;
    panel.SpecialOptions = -1;
    EXPECT_EQ(HeaderWriteCommand(11, panel, kv4900), "LW24FF");
}

// Short and garbage replies (from {2, "A", "0"} on): missing digits are simply absent.
TEST(HeaderRegisters, ReadRepliesBecomeFieldTexts) {
    // row, reply, field text afterwards
    const std::vector<std::tuple<int, const char*, const char*>> cases{
        {2, "A78", "120"},     {3, "A3C", "60"},      {4, "A0258", "10:00"},
        {4, "A0E10", "60:00"}, {4, "AFFFF", "99:59"}, {5, "A03", "0.5"},
        {5, "A19", "2.0"},     {5, "A0B", "1.1"},     {5, "A09", ""},
        {5, "A05", "0.5"},     {5, "A14", "2.0"},     {6, "A0E10", "01:00"},
        {7, "AFD20", "18:00"}, {8, "AFFFF", "18:12"}, {8, "A003B", "00:00"},
        {9, "A00", "OFF"},     {9, "A02", "3"},       {9, "A28", "30"},
        {10, "AC8", "1.560"},  {10, "A01", "0.024"},  {10, "A82", "1.560"},
        {10, "A81", "1.548"},  {2, "A", "0"},         {2, "A7", "7"},
        {2, "AZZ", "0"},       {2, "", "0"},          {4, "A", "00:00"},
        {6, "A", "00:00"},     {6, "A1", "00:00"},    {6, "A3C", "00:01"},
        {5, "A", "0.5"},       {9, "A", "OFF"},       {10, "A", "0.024"},
        {9, "A!!", "OFF"},     {2, "AFF", "255"},     {4, "A0E10XYZ", "60:00"}};
    for (const auto& [row, reply, text] : cases) {
        PanelConfig panel = Configuration{}.Panel;
        ApplyHeaderReply(row, reply, panel);
        EXPECT_EQ(Field(panel, row), text) << "row " << row << " reply " << reply;
    }
    PanelConfig panel = Configuration{}.Panel;
    ApplyHeaderReply(11, "AA5", panel);
    EXPECT_EQ(panel.SpecialOptions, 165);
    ApplyHeaderReply(11, "A", panel);
    EXPECT_EQ(panel.SpecialOptions, 0);

    // The TMC-1400 has a shorter energize list.
    const auto list = BuildEnergizeList("TMC-1400");
    EXPECT_EQ(DecodeRelayEnergize("A01", list), "0.156");
    EXPECT_EQ(DecodeRelayEnergize("A0D", list), "0.156");
    EXPECT_EQ(DecodeRelayEnergize("AC8", list), "1.560");
    EXPECT_EQ(DecodeRelayEnergize("A05", {}), "");
}

// Row 1 (the address) and rows outside the table are never transferred.
TEST(HeaderRegisters, RowsOutsideTheTransferGiveNothing) {
    PanelConfig panel = Configuration{}.Panel;
    for (int row : {1, 12}) {
        EXPECT_EQ(HeaderWriteDescription(row, panel), "") << row;
        EXPECT_EQ(ApplyHeaderReply(row, "A05", panel), "") << row;
        EXPECT_EQ(HeaderWriteCommand(row, panel, {"KV-4900", "4.00"}), std::nullopt) << row;
    }
    EXPECT_EQ(panel.NumInputs, Configuration{}.Panel.NumInputs);
}

TEST(OtherRegisters, MemoryCheck) {
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"A00", "OK", "OK"},         {"A01", "OK", "Error!"},     {"A10", "Error!", "OK"},
        {"T", "Unknown", "Unknown"}, {"", "Unknown", "Unknown"},  {"C", "Unknown", "Unknown"},
        {"A0", "OK", "Unknown"},     {"A", "Unknown", "Unknown"},
    };
    for (const auto& [reply, eprom, eeprom] : cases) {
        const auto result = DecodeMemoryCheck(reply);
        EXPECT_EQ(result.Eprom + " " + result.Eeprom, std::string(eprom) + " " + eeprom) << reply;
    }
}

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

TEST(InputWord, EncodingsAndReplies) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    const std::vector<std::tuple<InputConfig, InputLayout, uint16_t>> cases{
        {Input(4, 2, 12, true, 1), cur, 0xC64C},
        {Input(4, 2, 12, true, 1), early, 0xC10C},  // type 4 goes as type bits 0
        {Input(1, 0, 1, false, 0), cur, 0x0041},
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
    for (const auto& [input, layout, word] : cases) {
        EXPECT_EQ(EncodeInputWord(input, layout), word)
            << "type " << input.Type << " timer " << input.Timer << " group " << input.Group
            << (layout == cur ? " current" : " early");
    }

    EXPECT_EQ(InputWordFromReply("AC64C"), 0xC64C);
    EXPECT_EQ(InputWordFromReply("AC64C99"), 0xC64C);
    EXPECT_EQ(InputWordFromReply("A"), 0);
    EXPECT_EQ(InputWordFromReply(""), 0);
    EXPECT_EQ(InputWordFromReply("AC6"), 0xC6);  // fewer digits, never past the end
    EXPECT_EQ(InputWordFromReply("AXYZW"), 0);

    InputConfig in = Input(0, 0, 0, false, 0);
    ApplyInputWord(DecodeInputWord(0xC64C, InputLayout::Current, 4.0).Fields, in);
    EXPECT_EQ(in, Input(4, 2, 12, true, 1));  // the name kept
}

// Word, layout, firmware; then type, timer, group, polarity, flash and
// whether the type carried the extension bit.
TEST(InputWord, DecodingsAndFirmwareTypeLimits) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    using Decoded = std::tuple<int16_t, int16_t, int16_t, int16_t, bool, bool>;
    const std::vector<std::tuple<uint16_t, InputLayout, double, Decoded>> cases{
        {0xC64C, cur, 4.0, {4, 2, 12, 1, true, true}},
        {0xC10C, early, 1.0, {0, 2, 12, 1, true, false}},
        {0x04BC, cur, 4.0, {5, 0, 60, 0, false, true}},
        {0x04BC, cur, 2.05, {5, 0, 60, 0, false, true}},  // kept
        {0x04BC, cur, 2.04, {1, 0, 60, 0, false, true}},  // above 4 -> Momentary On
        {0x044C, cur, 1.5, {4, 0, 12, 0, false, true}},   // Linked On kept below 2.05
        {0x04CC, cur, 4.0, {1, 0, 12, 0, false, true}},   // 3 + 3 = 6 -> 1
        {0x040C, cur, 4.0, {3, 0, 12, 0, false, true}},   // ext + 0 = 3
        {0x00CC, cur, 1.1, {3, 0, 12, 0, false, false}},  // no ext: no limits
        {0x3800, cur, 4.0, {0, 0, 0, 0, false, false}},   // bits 13..11 ignored
        {0xFFFF, early, 1.0, {3, 3, 31, 1, true, false}},
        {0x0060, early, 1.0, {3, 0, 0, 0, false, false}},
    };
    for (const auto& [word, layout, firmware, expected] : cases) {
        const auto d = DecodeInputWord(word, layout, firmware);
        const auto& f = d.Fields;
        EXPECT_EQ(Decoded(f.Type, f.Timer, f.Group, f.Polarity, f.Flash, d.ExtendedType), expected)
            << std::hex << word << " fw " << firmware;
    }
}

std::vector<int> MembersOf(const GroupConfig& g) {
    std::vector<int> members;
    for (int k = 1; k <= kMemberCount; ++k)
        if (g.HasMember(k)) members.push_back(k);
    return members;
}

GroupConfig GroupWith(const std::vector<int>& members) {
    GroupConfig g;
    for (int k : members) g.SetMember(k, true);
    return g;
}

TEST(MemberBytes, DecodingAndEncoding) {
    std::vector<int> all;
    for (int k = 1; k <= 60; ++k) all.push_back(k);
    // reply, member bytes, members before and after
    const std::vector<std::tuple<const char*, int, std::vector<int>, std::vector<int>>> cases{
        {"A0100000000000008", 8, {5, 30}, {1, 60}},
        {"AFFFFFFFFFFFFFFFF", 8, {}, all},  // bits beyond 60 ignored
        {"A0000000000000000", 8, all, {}},
        {"A8001000000000000", 8, {}, {8, 9}},
        {"A0000000000000010", 8, {}, {}},  // bit 4 of byte 7 would be member 61
        // One byte carries members 1..8; the rest keep their values.
        {"A05", 1, {2, 9, 60}, {1, 3, 9, 60}},
        {"A0500000000000000", 1, {12}, {1, 3, 12}},
        // Short and garbage replies: missing digits read as 0.
        {"A01", 8, {1, 2, 60}, {1}},
        {"A", 8, {1, 60}, {}},
        {"", 1, {1, 9}, {9}},
        {"AZZ01", 8, {}, {9}},
        {"A1", 8, {}, {1}},  // one digit: the hex value of the shorter text
    };
    for (const auto& [reply, bytes, before, after] : cases) {
        GroupConfig g = GroupWith(before);
        DecodeMemberBytes(reply, bytes, g);
        EXPECT_EQ(MembersOf(g), after) << reply << " / " << bytes;
        for (int k = 1; k <= kMemberCount; ++k)
            EXPECT_TRUE(g.Members[k] == 0 || g.Members[k] == kTrue);
    }

    EXPECT_EQ(EncodeMemberBytes(GroupWith({1, 60}), 8), "0100000000000008");
    EXPECT_EQ(EncodeMemberBytes(GroupWith(all), 8), "FFFFFFFFFFFFFF0F");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1, 3, 9, 60}), 1), "05");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({8, 9}), 2), "8001");
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1}), 0), "01");  // at least one byte
    EXPECT_EQ(EncodeMemberBytes(GroupWith({1}), 99).size(), 16u);
}

TEST(WholePanelMasks, GroupFlash) {
    std::array<GroupConfig, kGroupCount + 1> groups{};
    groups[1].ConstantFlash = kTrue;
    groups[60].ConstantFlash = 1;     // any non-zero value is true
    groups[0].ConstantFlash = kTrue;  // entry 0 is not a group
    EXPECT_EQ(GroupFlashWriteCommand(groups), "LW230100000000000008");

    std::array<GroupConfig, kGroupCount + 1> read{};
    read[5].ConstantFlash = kTrue;
    DecodeGroupFlash("A0300000000000008", read);
    for (int g = 1; g <= kGroupCount; ++g)
        EXPECT_EQ(read[g].ConstantFlash, (g == 1 || g == 2 || g == 60) ? kTrue : 0) << g;

    DecodeGroupFlash("A", read);
    for (int g = 1; g <= kGroupCount; ++g) EXPECT_EQ(read[g].ConstantFlash, 0) << g;
}

TEST(GroupRegisters, DigitRepliesAndCommands) {
    // reply, type, priority, serial-on priority
    const std::vector<std::tuple<const char*, int16_t, int16_t, int16_t>> cases{
        {"A1", 1, 1, 1}, {"A0", 0, 0, 0}, {"A3", 1, 3, 3}, {"A2X", 1, 2, 2},
        {"A", 0, 0, 0},  {"", 0, 0, 0},   {"AZ", 0, 0, 0}, {"I", 0, 0, 0},
    };
    for (const auto& [reply, type, priority, serial] : cases) {
        EXPECT_EQ(DecodeGroupType(reply), type) << reply;
        EXPECT_EQ(DecodeGroupPriority(reply), priority) << reply;
        EXPECT_EQ(DecodeSerialOnPriority(reply), serial) << reply;
    }

    // The plain commands are on the wire in the read and write tests; here the
    // values outside what a field holds.
    EXPECT_EQ(GroupPriorityWriteCommand(3, -1), "LW5030");  // one digit, never a sign
    EXPECT_EQ(GroupPriorityWriteCommand(3, 12), "LW5033");
    EXPECT_EQ(GroupSerialOnWriteCommand(2, 1), "LW67021");  // any non-zero value is on
}

}  // namespace
}  // namespace kvtk
