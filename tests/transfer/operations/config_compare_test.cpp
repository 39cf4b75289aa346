#include "transfer/operations/config_compare.h"

#include <gtest/gtest.h>

#include "tests/support/product_config.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
namespace {

// The members compared are those the product's member registers carry, up to
// its relays: a difference in a group's last one must be found (verify after
// a write relies on it), one beyond them has no register and is not.
TEST(ConfigCompare, MembersUpToTheLastRelayTheRegistersCarry) {
    const struct {
        const char* model;
        const char* version;
        int relay;
        const char* line;  // empty: no difference
    } cases[] = {
        {"WQ16", "5.00", 16, "Group 3 relay 16: file on, panel off"},
        {"WQ16", "5.00", 17, ""},
        {"WQ60", "5.00", 60, "Group 3 relay 60: file on, panel off"},
        {"KV-4800", "3.00", 8, "Group 3 relay 8: file on, panel off"},
        {"KV-4800", "3.00", 9, ""},
    };
    for (const auto& c : cases) {
        const Configuration panel = test::ConfigFor(c.model, c.version);
        Configuration file = panel;
        file.Groups[3].SetMember(c.relay, true);
        std::string lines;
        for (const ConfigDifference& d : ConfigurationDifferences(file, panel))
            lines += DifferenceLine(d);
        EXPECT_EQ(lines, c.line) << c.model << " relay " << c.relay;
    }
}

// The comparison behind verify and the compare window takes what a file
// says, never the value its register would cut it to: a timer of 20:00 is
// sent as 01:47, and 01:47 read back must not pass for 20:00.
TEST(CompareCutValues, AValueItsRegisterCannotHoldIsADifference) {
    const struct {
        void (*Edit)(PanelConfig&);
        std::string Item;
    } cases[] = {
        {[](PanelConfig& p) { p.TimerDuration[1] = "20:00"; }, "Timer 1 duration"},
        {[](PanelConfig& p) { p.TimerDuration[3] = "junk"; }, "Timer 3 duration"},
        {[](PanelConfig& p) { p.OnTimeAfterFlash = "100:00"; }, "Flash on time"},
        {[](PanelConfig& p) { p.SpecialOptions = 0x105; }, "Special options"},
    };
    for (const auto& tc : cases) {
        Configuration file = test::OnlineConfigFor("WQ16", "5.00");
        tc.Edit(file.Panel);
        // The panel holds exactly what writing the file's value leaves in it.
        Configuration panel = file;
        for (int row = kFirstTransferRow; row <= kRowSpecialOptions; ++row) {
            const auto command = HeaderWriteCommand(row, file.Panel, file.Identity);
            ASSERT_TRUE(command);
            const size_t prefix =
                2 + HeaderRegisters()[static_cast<size_t>(row - 1)].Register.size();
            ApplyHeaderReply(row, "A" + command->substr(prefix), panel.Panel);
        }
        const auto differences = ConfigurationDifferences(file, panel, {true, false, false});
        ASSERT_EQ(differences.size(), 1u) << tc.Item;
        EXPECT_EQ(differences[0].Item, tc.Item);
    }
    // A value written as it stands reads back the same.
    const Configuration plain = test::OnlineConfigFor("WQ16", "5.00");
    EXPECT_TRUE(ConfigurationDifferences(plain, plain).empty());
}

}  // namespace
}  // namespace kvtk
