// Reset, address change, product code, special options and bad relays.
#include <gtest/gtest.h>

#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"
#include "transfer/address_change.h"
#include "transfer/bad_relays.h"
#include "transfer/product_code.h"
#include "transfer/reset_panel.h"
#include "transfer/special_options.h"

namespace kvtk {
namespace {

using test::RecordingHost;
using test::ScriptedPanel;
using Commands = std::vector<std::string>;

Configuration OnlineAt(int address) {
    return test::OnlineConfigFor("WQ16", "5.00", address);
}

TEST(ResetPanel, AsksResetsWaitsAndPolls) {
    Configuration config = OnlineAt(3);
    std::vector<std::string> log;
    ScriptedPanel panel(&log);
    RecordingHost host(&log);

    EXPECT_EQ(ResetPanel(config, panel, host), ResetResult::Reset);
    EXPECT_EQ(log, (Commands{"ask Reset Device?", ">LSRESET83", "wait 5000", ">KV"}));
    for (const auto& call : panel.Calls) {
        EXPECT_EQ(call.Address, 3);
        EXPECT_EQ(call.Style, 5);
        EXPECT_EQ(call.Description, "");
    }
}

TEST(ResetPanel, NoSendsNothingAndCancelSkipsTheWait) {
    Configuration config = OnlineAt(3);
    {
        ScriptedPanel panel;
        RecordingHost host;
        host.Answer = false;
        EXPECT_EQ(ResetPanel(config, panel, host), ResetResult::Declined);
        EXPECT_TRUE(panel.Calls.empty());
    }
    {
        ScriptedPanel panel;
        panel.Answer("LSRESET83", "");
        RecordingHost host;
        EXPECT_EQ(ResetPanel(config, panel, host), ResetResult::Cancelled);
        EXPECT_EQ(panel.Commands(), Commands{"LSRESET83"});
        EXPECT_TRUE(host.Waits.empty());
    }
}

TEST(AddressChange, WritesVerifiesAndSavesWithFourAttempts) {
    Configuration config = OnlineAt(1);
    ScriptedPanel panel;
    panel.AnswerAt(7, "LR73", "T", 1)
        .AnswerAt(7, "LR73", "A07")
        .AnswerAt(7, "KV", "AWQ16     0500");
    RecordingHost host;

    const AddressChangeOutcome outcome = ChangeAddress(config, 7, panel, host);

    EXPECT_EQ(outcome.Result, AddressChangeResult::Changed);
    EXPECT_TRUE(outcome.CloseWindow);
    EXPECT_FALSE(outcome.GoOffline);
    EXPECT_EQ(panel.Commands(),
              (Commands{"LR73", "LSWEN", "LW7307", "LR73", "KV", "LSAVE_EN", "LSYS_SAVE"}));
    const std::vector<int> addresses{7, 1, 1, 7, 7, 7, 7};
    for (size_t i = 0; i < addresses.size(); ++i)
        EXPECT_EQ(panel.Calls[i].Address, addresses[i]) << panel.Calls[i].Command;
    EXPECT_EQ(panel.Find("LSWEN")->Style, 5);
    EXPECT_EQ(panel.Find("LSYS_SAVE")->Attempts, 4);
    EXPECT_EQ(panel.Find("LSAVE_EN")->Attempts, 2);
    EXPECT_EQ(panel.Attempts(), 2);
    EXPECT_EQ(config.Panel.Address, "7");
    std::vector<std::string> lines;
    for (const auto& [text, tone] : host.StatusLines) lines.push_back(text);
    EXPECT_EQ(lines, (Commands{"Checking new address", "Enabling write", "Writing new address",
                               "Verifying address write", "Enabling Save", "Saving..."}));
}

TEST(AddressChange, StopsWhereThePanelDoesNotGoOn) {
    struct Case {
        const char* name;
        std::vector<std::tuple<int, std::string, std::string, int>> script;
        AddressChangeResult result;
        Commands commands;
        std::string line;
        std::string address;
        int beeps;
    };
    const std::vector<Case> cases{
        {"occupied",
         {{7, "LR73", "A07", -1}, {7, "KV", "AKV-4800  0400", -1}},
         AddressChangeResult::Occupied,
         {"LR73", "KV"},
         "KV-4800 Version 4.00 is at address 7.",
         "1",
         1},
        {"silent after the write",
         {{7, "LR73", "T", -1}},
         AddressChangeResult::WentOffline,
         {"LR73", "LSWEN", "LW7307", "LR73"},
         "No response at new address. Going offline",
         "7",
         1},
        {"cancelled while checking",
         {{7, "LR73", "", -1}},
         AddressChangeResult::Cancelled,
         {"LR73"},
         "Checking new address",
         "1",
         0},
        {"address write cancelled",
         {{7, "LR73", "T", -1}, {1, "LW7307", "", -1}},
         AddressChangeResult::Cancelled,
         {"LR73", "LSWEN", "LW7307"},
         "Writing new address",
         "1",
         0},
        {"cancelled while verifying",
         {{7, "LR73", "T", 1}, {7, "LR73", "", -1}},
         AddressChangeResult::Cancelled,
         {"LR73", "LSWEN", "LW7307", "LR73"},
         "Verifying address write",
         "1",
         0},
        {"save cancelled",
         {{7, "LR73", "T", 1}, {7, "KV", "AWQ16     0500", -1}, {7, "LSYS_SAVE", "", -1}},
         AddressChangeResult::Cancelled,
         {"LR73", "LSWEN", "LW7307", "LR73", "KV", "LSAVE_EN", "LSYS_SAVE"},
         "Saving...",
         "7",
         0},
    };
    for (const Case& c : cases) {
        Configuration config = OnlineAt(1);
        ScriptedPanel panel;
        panel.DefaultReply = "A07";
        for (const auto& [address, command, reply, times] : c.script)
            panel.AnswerAt(address, command, reply, times);
        panel.AnswerAt(1, "LSWEN", "AY").AnswerAt(1, "LW7307", "AY");
        RecordingHost host;
        const AddressChangeOutcome outcome = ChangeAddress(config, 7, panel, host);
        EXPECT_EQ(outcome.Result, c.result) << c.name;
        EXPECT_EQ(panel.Commands(), c.commands) << c.name;
        EXPECT_EQ(outcome.ProgressLine, c.line) << c.name;
        EXPECT_EQ(host.StatusLines.back().first, c.line) << c.name;
        EXPECT_EQ(config.Panel.Address, c.address) << c.name;
        EXPECT_EQ(host.Beeps, c.beeps) << c.name;
        EXPECT_EQ(outcome.GoOffline, c.result == AddressChangeResult::WentOffline) << c.name;
        EXPECT_EQ(config.Status.IsOnline(), c.result != AddressChangeResult::WentOffline) << c.name;
        EXPECT_EQ(panel.Attempts(), 2) << c.name;
    }
}

TEST(AddressChange, OfflineRenumbersAndBadAddressesChangeNothing) {
    Configuration config = OnlineAt(1);
    config.Status.Connection = "Offline";
    ScriptedPanel panel;
    RecordingHost host;
    EXPECT_EQ(ChangeAddress(config, 9, panel, host).Result, AddressChangeResult::Renumbered);
    EXPECT_EQ(config.Panel.Address, "9");
    for (int bad : {0, 256, -1}) {
        EXPECT_EQ(ChangeAddress(config, bad, panel, host).Result,
                  AddressChangeResult::InvalidAddress);
        EXPECT_EQ(config.Panel.Address, "9");
    }
    EXPECT_TRUE(panel.Calls.empty());
    EXPECT_NE(AddressChangeWarning("17").find("currently at address 17."), std::string::npos);
}

TEST(BadRelays, ListsAsksAndClears) {
    Configuration config = OnlineAt(2);
    ScriptedPanel panel;
    // Relays 3 and 17, and bit 7 of byte 7 (relay 64), which does not exist.
    panel.Answer("LR78", "A0400010000000080").Answer("LW78", "AY");
    RecordingHost host;

    const BadRelayOutcome outcome = CheckBadRelays(config, panel, host);

    EXPECT_EQ(outcome.Result, BadRelayResult::Cleared);
    EXPECT_EQ(outcome.Relays, (std::vector<int>{3, 17}));
    ASSERT_EQ(host.Questions.size(), 1u);
    EXPECT_EQ(host.Questions[0].first, "Bad Relays");
    EXPECT_EQ(host.Questions[0].second,
              "Bad relays are: 3 17 .   Do you want to clear Bad Relay information?");
    EXPECT_EQ(panel.Commands(), (Commands{"LR78", "LSWEN", "LW78"}));
    EXPECT_EQ(host.Messages, Commands{"Bad relay information is cleared."});
    for (const auto& call : panel.Calls) EXPECT_EQ(call.Style, 5);
}

TEST(BadRelays, EndsQuietlyOrWithTheRightWords) {
    struct Case {
        const char* read;
        bool answer;
        const char* clear;
        BadRelayResult result;
        Commands commands;
        Commands messages;
    };
    using R = BadRelayResult;
    const Commands none{"No bad relays found."};
    const Commands clearing{"LR78", "LSWEN", "LW78"};
    const std::vector<Case> cases{
        {"A0000000000000000", true, "AY", R::NoneFound, {"LR78"}, none},
        {"A0000000000000080", true, "AY", R::NoneFound, {"LR78"}, none},  // relay 64 is no relay
        {"", true, "AY", R::Cancelled, {"LR78"}, {}},
        {"A04", false, "AY", R::Kept, {"LR78"}, {}},
        {"A04", true, "AN", R::NotCleared, clearing, {}},
        {"A04", true, "", R::Cancelled, clearing, {}},
    };
    for (const Case& c : cases) {
        Configuration config = OnlineAt(2);
        ScriptedPanel panel;
        panel.Answer("LR78", c.read).Answer("LW78", c.clear);
        RecordingHost host;
        host.Answer = c.answer;
        EXPECT_EQ(CheckBadRelays(config, panel, host).Result, c.result) << c.read;
        EXPECT_EQ(panel.Commands(), c.commands) << c.read;
        EXPECT_EQ(host.Messages, c.messages) << c.read;
    }
}

TEST(ProductCode, SendsTheCodeOfTheChosenProductAndSaves) {
    struct Case {
        const char* product;
        const char* command;
    };
    for (const Case& c : std::vector<Case>{{"KV-4300", "LW107"},
                                           {"WQ60", "LW10D"},
                                           {"TMC-1400", "LW101"},
                                           {"KV-4500", "LW100"}}) {
        const auto& table = ProductCodes();
        const auto it = std::find_if(table.begin(), table.end(), [&](const ProductCode& p) {
            return std::string(p.Product) == c.product;
        });
        ASSERT_NE(it, table.end());
        ScriptedPanel panel;
        RecordingHost host;
        EXPECT_EQ(SetPanelModel(4, static_cast<int>(it - table.begin()), panel, host),
                  ProductCodeResult::Accepted);
        EXPECT_EQ(panel.Commands(), (Commands{"LSWEN", c.command, "LSAVE_EN", "LSYS_SAVE"}));
        EXPECT_EQ(panel.Calls[0].Address, 4);
        EXPECT_FALSE(host.Busy);
    }
}

TEST(ProductCode, OnlyAyLetsTheChangeGoOn) {
    struct Case {
        const char* enable;
        const char* code;
        ProductCodeResult result;
        Commands commands;
        const char* line;
        LineTone tone;
        int beeps;
    };
    using R = ProductCodeResult;
    const Commands codeSent{"LSWEN", "LW107"};
    const char* disabled = "Writes to Device Disabled";
    const char* rejected = "Product Code Change Rejected";
    const std::vector<Case> cases{
        {"A", "AY", R::WritesDisabled, {"LSWEN"}, disabled, LineTone::Unchanged, 0},
        {"", "AY", R::WritesDisabled, {"LSWEN"}, disabled, LineTone::Unchanged, 0},
        {"AY", "AN", R::Rejected, codeSent, rejected, LineTone::Alert, 1},
        {"AY", "", R::Rejected, codeSent, rejected, LineTone::Alert, 1},
    };
    for (const Case& c : cases) {
        ScriptedPanel panel;
        panel.Answer("LSWEN", c.enable).Answer("LW107", c.code);
        RecordingHost host;
        EXPECT_EQ(SetPanelModel(1, 7, panel, host), c.result) << c.enable << c.code;
        EXPECT_EQ(panel.Commands(), c.commands);
        EXPECT_EQ(host.StatusLines.back().first, c.line);
        EXPECT_EQ(host.StatusLines.back().second, c.tone);
        EXPECT_EQ(host.Beeps, c.beeps);
    }
}

TEST(SpecialOptions, OptionTwoNeedsOptionOne) {
    struct Case {
        int32_t mask;
        int box;
        bool checked;
        int32_t result;
    };
    const std::vector<Case> cases{
        {0, 1, true, 3},  {3, 0, false, 0},  {1, 0, false, 0},        {0, 0, true, 1},
        {3, 1, false, 1}, {0, 2, true, 4},   {0x1FF, 7, false, 0x7F}, {0x105, 3, true, 0x10D},
        {5, 8, true, 5},  {5, -1, false, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClickSpecialOption(c.mask, c.box, c.checked), c.result)
            << c.mask << " box " << c.box;
    const auto boxes = SpecialOptionBoxes(5);
    EXPECT_EQ(boxes, (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
}

}  // namespace
}  // namespace kvtk
