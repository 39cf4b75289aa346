// Reset, address change, product code, special options and bad relays.
#include <gtest/gtest.h>

#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"
#include "transfer/operations/address_change.h"
#include "transfer/operations/bad_relays.h"
#include "transfer/operations/product_code.h"
#include "transfer/operations/reset_panel.h"
#include "transfer/operations/special_options.h"

namespace kvtk {
namespace {

using test::RecordingHost;
using test::ScriptedPanel;
using Commands = std::vector<std::string>;

TEST(ResetPanel, AsksResetsWaitsAndPolls) {
    // answer to "Reset Device?", reply to the reset, result, what happened
    const std::vector<std::tuple<bool, const char*, ResetResult, Commands>> cases{
        {true, "AY", ResetResult::Reset, {"ask Reset Device?", ">LSRESET83", "wait 5000", ">KV"}},
        {false, "AY", ResetResult::Declined, {"ask Reset Device?"}},
        {true, "", ResetResult::Cancelled, {"ask Reset Device?", ">LSRESET83"}},  // no wait
    };
    for (const auto& [yes, resetReply, result, expected] : cases) {
        Configuration config = test::OnlineConfigFor("WQ16", "5.00", 3);
        std::vector<std::string> log;
        ScriptedPanel panel(&log);
        panel.Answer("LSRESET83", resetReply);
        RecordingHost host(&log);
        host.Prompts.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
        EXPECT_EQ(ResetPanel(config, panel, host), result);
        EXPECT_EQ(log, expected);
        for (const auto& call : panel.Calls) {
            EXPECT_EQ(call.Address, 3);
            EXPECT_EQ(call.Style, FailureStyle::RetryCancel);
        }
    }
}

// A cancel at any step ends the change there; the configuration takes the
// new address only once the panel answered at it. Without a cancel the
// address is written to the old address and saved at the new one, with four
// attempts for the save alone.
TEST(AddressChange, StopsWhereThePanelDoesNotGoOn) {
    const Commands sequence{"LR73", "LSWEN", "LW7307", "LR73", "KV", "LSAVE_EN", "LSYS_SAVE"};
    for (size_t step = 0; step <= sequence.size(); ++step) {
        const bool cancelled = step < sequence.size();
        Configuration config = test::OnlineConfigFor("WQ16", "5.00", 1);
        ScriptedPanel panel;
        panel.Responder = [&, sent = size_t{0}](int, const std::string& command) mutable {
            if (sent++ == step) return std::string();
            if (command == "LR73") return std::string(sent == 1 ? "T" : "A07");
            return std::string(command == "KV" ? "AWQ16     0500" : "AY");
        };
        RecordingHost host;
        const AddressChangeOutcome outcome = ChangeAddress(config, 7, panel, host);
        EXPECT_EQ(outcome.Result,
                  cancelled ? AddressChangeResult::Cancelled : AddressChangeResult::Changed);
        EXPECT_EQ(
            panel.Commands(),
            Commands(sequence.begin(), sequence.begin() + std::min(step + 1, sequence.size())));
        EXPECT_EQ(config.Panel.Address, step < 5 ? "1" : "7") << step;
        EXPECT_EQ(outcome.Completed, !cancelled);
        EXPECT_EQ(host.Beeps, 0);
        EXPECT_TRUE(config.Status.IsOnline());
        EXPECT_EQ(panel.Attempts(), 2);
        if (cancelled) continue;
        const std::vector<int> addresses{7, 1, 1, 7, 7, 7, 7};
        for (size_t i = 0; i < addresses.size(); ++i)
            EXPECT_EQ(panel.Calls[i].Address, addresses[i]) << panel.Calls[i].Command;
        EXPECT_EQ(panel.Find("LSWEN")->Style, FailureStyle::RetryCancel);
        EXPECT_EQ(panel.Find("LSYS_SAVE")->Attempts, 4);
        EXPECT_EQ(panel.Find("LSAVE_EN")->Attempts, 2);
    }

    // A panel already at the new address, a device there whose replies
    // cannot be read, and none answering after the write.
    const struct {
        const char* lr73Reply;
        AddressChangeResult result;
        const char* sent;
        const char* progress;
    } cases[] = {
        {"A07", AddressChangeResult::Occupied, "LR73 KV", "KV-4800 Version 4.00 is at address 7."},
        {"N", AddressChangeResult::Occupied, "LR73",
         "A device answers at address 7, but its replies cannot be read."},
        {"C", AddressChangeResult::Occupied, "LR73",
         "A device answers at address 7, but its replies cannot be read."},
        {"T", AddressChangeResult::WentOffline, "LR73 LSWEN LW7307 LR73",
         "No response at new address. Going offline"},
    };
    for (const auto& c : cases) {
        const bool occupied = c.result == AddressChangeResult::Occupied;
        Configuration config = test::OnlineConfigFor("WQ16", "5.00", 1);
        ScriptedPanel panel;
        panel.AnswerAt(7, "LR73", c.lr73Reply).AnswerAt(7, "KV", "AKV-4800  0400");
        RecordingHost host;
        const AddressChangeOutcome outcome = ChangeAddress(config, 7, panel, host);
        EXPECT_EQ(outcome.Result, c.result) << c.lr73Reply;
        EXPECT_EQ(panel.Sent(), c.sent);
        EXPECT_EQ(outcome.ProgressLine, c.progress);
        EXPECT_EQ(config.Panel.Address, occupied ? "1" : "7");
        EXPECT_EQ(host.Beeps, 1);
        EXPECT_EQ(config.Status.IsOnline(), occupied);
        EXPECT_EQ(outcome.GoOffline, !occupied);
    }
}

TEST(AddressChange, OfflineRenumbersAndBadAddressesChangeNothing) {
    Configuration config = test::OnlineConfigFor("WQ16", "5.00", 1);
    config.Status.Connection = PanelConnection::Offline();
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
    using R = BadRelayResult;
    struct Case {
        const char* read;
        bool answer;
        const char* clear;
        R result;
        const char* sent;
        const char* message;
    };
    const char* none = "No bad relays found.";
    const std::vector<Case> cases{
        // Relays 3 and 17, and bit 7 of byte 7 (relay 64), which does not exist.
        {"A0400010000000080", true, "AY", R::Cleared, "LR78 LSWEN LW78",
         "Bad relay information is cleared."},
        {"A0000000000000000", true, "AY", R::NoneFound, "LR78", none},
        {"A0000000000000080", true, "AY", R::NoneFound, "LR78", none},
        {"", true, "AY", R::Cancelled, "LR78", nullptr},
        {"A0400000000000000", false, "AY", R::Kept, "LR78", nullptr},
        {"A0400000000000000", true, "AN", R::NotCleared, "LR78 LSWEN LW78", nullptr},
        {"A0400000000000000", true, "", R::Cancelled, "LR78 LSWEN LW78", nullptr},
        // Too short for its eight bytes: no report at all, never "none found".
        {"A04", true, "AY", R::Cancelled, "LR78", nullptr},
        {"A", true, "AY", R::Cancelled, "LR78", nullptr},
    };
    for (const Case& c : cases) {
        Configuration config = test::OnlineConfigFor("WQ16", "5.00", 2);
        ScriptedPanel panel;
        panel.Answer("LR78", c.read).Answer("LW78", c.clear);
        RecordingHost host;
        host.Prompts.answers = {c.answer ? MessageAnswer::Yes : MessageAnswer::No};
        const BadRelayOutcome outcome = CheckBadRelays(config, panel, host);
        EXPECT_EQ(outcome.Result, c.result) << c.read;
        EXPECT_EQ(panel.Sent(), c.sent) << c.read;
        EXPECT_EQ(host.Messages, c.message ? Commands{c.message} : Commands{}) << c.read;
        for (const auto& call : panel.Calls) EXPECT_EQ(call.Style, FailureStyle::RetryCancel);
        if (c.result != R::Cleared) continue;
        EXPECT_EQ(outcome.Relays, (std::vector<int>{3, 17}));
        EXPECT_EQ(host.Prompts.asked.at(0).Text,
                  "Bad relays are: 3 17 .   Do you want to clear Bad Relay information?");
    }
}

TEST(ProductCode, OnlyAyLetsTheChangeGoOn) {
    using R = ProductCodeResult;
    struct Case {
        const char* product;
        const char* enable;
        const char* code;
        R result;
        const char* sent;
        const char* lineWord;
    };
    const std::vector<Case> cases{
        {"WQ60", "AY", "AY", R::Accepted, "LSWEN LW10D LSAVE_EN LSYS_SAVE", ""},
        {"KV-4500", "AY", "AY", R::Accepted, "LSWEN LW100 LSAVE_EN LSYS_SAVE", ""},
        {"KV-4600", "AY", "AY", R::Accepted, "LSWEN LW102 LSAVE_EN LSYS_SAVE", ""},
        {"KV-4300", "A", "AY", R::WritesDisabled, "LSWEN", "Disabled"},
        {"KV-4300", "", "AY", R::WritesDisabled, "LSWEN", "Disabled"},
        {"KV-4300", "AY", "AN", R::Rejected, "LSWEN LW107", "Rejected"},
        {"KV-4300", "AY", "", R::Rejected, "LSWEN LW107", "Rejected"},
        {"no such product", "AY", "AY", R::Rejected, "", "Rejected"},  // never write-enabled
    };
    for (const Case& c : cases) {
        size_t index = 0;  // in the list; past its end for an unknown product
        while (index < ProductCodes().size() &&
               ProductCodes()[index].Product != std::string(c.product))
            ++index;
        ScriptedPanel panel;
        panel.Answer("LSWEN", c.enable).AnswerPrefix("LW1", c.code);
        RecordingHost host;
        EXPECT_EQ(SetPanelModel(4, static_cast<int>(index), panel, host), c.result) << c.product;
        EXPECT_EQ(panel.Sent(), c.sent) << c.product;
        for (const auto& call : panel.Calls) EXPECT_EQ(call.Address, 4);
        EXPECT_EQ(host.Events, (Commands{"started ProductCodeChange",
                                         std::string("finished ProductCodeChange ") +
                                             (c.result == R::Accepted ? "completed" : "stopped")}));
        if (*c.lineWord == '\0') continue;
        EXPECT_NE(host.StatusLines.back().first.find(c.lineWord), std::string::npos);
        EXPECT_EQ(host.Beeps, c.result == R::Rejected ? 1 : 0) << c.product;
        EXPECT_EQ(host.StatusLines.back().second,
                  c.result == R::Rejected ? LineTone::Alert : LineTone::Unchanged);
    }
}

TEST(SpecialOptions, OptionTwoNeedsOptionOne) {
    // mask, box clicked, checked, mask afterwards
    const std::vector<std::tuple<int32_t, int, bool, int32_t>> cases{
        {0, 1, true, 3},  {3, 0, false, 0},  {1, 0, false, 0},        {0, 0, true, 1},
        {3, 1, false, 1}, {0, 2, true, 4},   {0x1FF, 7, false, 0x7F}, {0x105, 3, true, 0x10D},
        {5, 8, true, 5},  {5, -1, false, 5},
    };
    for (const auto& [mask, box, checked, result] : cases)
        EXPECT_EQ(ClickSpecialOption(mask, box, checked), result) << mask << " box " << box;
    const auto boxes = SpecialOptionBoxes(5);
    EXPECT_EQ(boxes, (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
}

}  // namespace
}  // namespace kvtk
