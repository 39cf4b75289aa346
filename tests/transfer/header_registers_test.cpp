#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/configuration.h"
#include "transfer/register_map.h"

namespace kvtk {
namespace {

PanelConfig DefaultPanel() {
    return Configuration{}.Panel;
}

struct WriteCase {
    int row;
    void (*edit)(PanelConfig&);
    ProductIdentity id;
    std::optional<std::string> command;
};

TEST(HeaderRegisters, WriteCommandsOfEditedTexts) {
    const ProductIdentity kv4900{"KV-4900", "4.00"};
    const ProductIdentity oldKv4500{"KV-4500", "1.09"};
    const std::vector<WriteCase> cases{
        {2, [](PanelConfig& p) { p.NumInputs = "120"; }, kv4900, "LW6578"},
        {2, [](PanelConfig& p) { p.NumInputs = "99999999999999999999"; }, kv4900, "LW65FF"},
        {3, [](PanelConfig& p) { p.NumRelays = "junk"; }, kv4900, "LW6400"},
        {4, [](PanelConfig& p) { p.OnTimeAfterFlash = "60:00"; }, kv4900, "LW610E10"},
        {4, [](PanelConfig& p) { p.OnTimeAfterFlash = "00:10"; }, kv4900, "LW61000A"},
        {5, [](PanelConfig& p) { p.FlashOffTime = "2.0"; }, kv4900, "LW6214"},
        {5, [](PanelConfig& p) { p.FlashOffTime = "1.1"; }, kv4900, "LW620B"},
        {5, [](PanelConfig& p) { p.FlashOffTime = ""; }, kv4900, std::nullopt},
        {5, [](PanelConfig& p) { p.FlashOffTime = "0.9"; }, kv4900, std::nullopt},
        {5, [](PanelConfig& p) { p.FlashOffTime = "0.5"; }, oldKv4500, "LW6204"},
        {5, [](PanelConfig& p) { p.FlashOffTime = "1.8"; }, oldKv4500, "LW6213"},
        {5, [](PanelConfig& p) { p.FlashOffTime = "OFF"; }, oldKv4500, std::nullopt},
        {5, [](PanelConfig& p) { p.FlashOffTime = "2.0"; }, oldKv4500, "LW6214"},
        {5, [](PanelConfig& p) { p.FlashOffTime = "1.0"; }, {"KV-4500", "1.10"}, "LW620A"},
        {6, [](PanelConfig& p) { p.TimerDuration[1] = "18:00"; }, kv4900, "LW41FD20"},
        {8, [](PanelConfig& p) { p.TimerDuration[3] = "00:01"; }, kv4900, "LW43003C"},
        {9, [](PanelConfig& p) { p.RelayRefresh = "30"; }, kv4900, "LW661E"},
        {9, [](PanelConfig& p) { p.RelayRefresh = "3"; }, kv4900, "LW6603"},
        {10, [](PanelConfig& p) { p.RelayEnergize = "1.560"; }, kv4900, "LW6382"},
        {10, [](PanelConfig& p) { p.RelayEnergize = "0.024"; }, kv4900, "LW6302"},
        {10, [](PanelConfig& p) { p.RelayEnergize = "0.156"; }, kv4900, "LW630D"},
        {11, [](PanelConfig& p) { p.SpecialOptions = 0xA5; }, kv4900, "LW24A5"},
        {11, [](PanelConfig& p) { p.SpecialOptions = -1; }, kv4900, "LW24FF"},
    };
    for (const auto& c : cases) {
        PanelConfig panel = DefaultPanel();
        c.edit(panel);
        EXPECT_EQ(HeaderWriteCommand(c.row, panel, c.id), c.command)
            << "row " << c.row << " " << c.id.Model << " " << c.id.Version;
    }
}

struct ReadCase {
    int row;
    const char* reply;
    const char* text;  // the field text (or the decimal value) afterwards
};

std::string FieldOf(int row, const PanelConfig& p) {
    switch (row) {
        case 2:
            return p.NumInputs;
        case 3:
            return p.NumRelays;
        case 4:
            return p.OnTimeAfterFlash;
        case 5:
            return p.FlashOffTime;
        case 6:
        case 7:
        case 8:
            return p.TimerDuration[static_cast<size_t>(row - 5)];
        case 9:
            return p.RelayRefresh;
        case 10:
            return p.RelayEnergize;
        case 11:
            return std::to_string(p.SpecialOptions);
        default:
            return "?";
    }
}

// Short and garbage replies (from {2, "A", "0"} on): missing digits are simply absent.
TEST(HeaderRegisters, ReadRepliesBecomeFieldTexts) {
    const std::vector<ReadCase> cases{
        {2, "A78", "120"},     {3, "A3C", "60"},        {4, "A0258", "10:00"},
        {4, "A0E10", "60:00"}, {4, "AFFFF", "99:59"},   {5, "A03", "0.5"},
        {5, "A19", "2.0"},     {5, "A0B", "1.1"},       {5, "A09", ""},
        {5, "A05", "0.5"},     {5, "A14", "2.0"},       {6, "A0E10", "01:00"},
        {7, "AFD20", "18:00"}, {8, "AFFFF", "18:12"},   {8, "A003B", "00:00"},
        {9, "A00", "OFF"},     {9, "A02", "3"},         {9, "A28", "30"},
        {10, "AC8", "1.560"},  {10, "A01", "0.024"},    {10, "A82", "1.560"},
        {10, "A81", "1.548"},  {11, "AA5", "165"},      {2, "A", "0"},
        {2, "A7", "7"},        {2, "AZZ", "0"},         {2, "", "0"},
        {4, "A", "00:00"},     {6, "A", "00:00"},       {6, "A1", "00:00"},
        {6, "A3C", "00:01"},   {5, "A", "0.5"},         {9, "A", "OFF"},
        {10, "A", "0.024"},    {11, "A", "0"},          {9, "A!!", "OFF"},
        {2, "AFF", "255"},     {4, "A0E10XYZ", "60:00"}};
    for (const auto& c : cases) {
        PanelConfig panel = DefaultPanel();
        ApplyHeaderReply(c.row, c.reply, panel);
        EXPECT_EQ(FieldOf(c.row, panel), c.text) << "row " << c.row << " reply " << c.reply;
    }
}

TEST(HeaderRegisters, EnergizeReadOnTheShorterTmcList) {
    const auto list = BuildEnergizeList("TMC-1400");
    EXPECT_EQ(DecodeRelayEnergize("A01", list), "0.156");
    EXPECT_EQ(DecodeRelayEnergize("A0D", list), "0.156");
    EXPECT_EQ(DecodeRelayEnergize("AC8", list), "1.560");
    EXPECT_EQ(DecodeRelayEnergize("A05", {}), "");
}

// Row 1 (the address) and rows outside the table are never transferred.
TEST(HeaderRegisters, RowsOutsideTheTransferGiveNothing) {
    PanelConfig panel = DefaultPanel();
    for (int row : {1, 12}) {
        EXPECT_EQ(HeaderWriteDescription(row, panel), "") << row;
        EXPECT_EQ(ApplyHeaderReply(row, "A05", panel), "") << row;
        EXPECT_EQ(HeaderWriteCommand(row, panel, {"KV-4900", "4.00"}), std::nullopt) << row;
    }
    EXPECT_EQ(panel.NumInputs, DefaultPanel().NumInputs);
}

TEST(OtherRegisters, MemoryCheck) {
    struct Case {
        const char* reply;
        const char* eprom;
        const char* eeprom;
    };
    const std::vector<Case> cases{
        {"A00", "OK", "OK"},         {"A01", "OK", "Error!"},     {"A10", "Error!", "OK"},
        {"T", "Unknown", "Unknown"}, {"", "Unknown", "Unknown"},  {"C", "Unknown", "Unknown"},
        {"A0", "OK", "Unknown"},     {"A", "Unknown", "Unknown"},
    };
    for (const auto& c : cases) {
        const auto result = DecodeMemoryCheck(c.reply);
        EXPECT_EQ(result.Eprom, c.eprom) << c.reply;
        EXPECT_EQ(result.Eeprom, c.eeprom) << c.reply;
    }
}

}  // namespace
}  // namespace kvtk
