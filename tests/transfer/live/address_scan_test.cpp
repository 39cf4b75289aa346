#include "transfer/live/address_scan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/conversions.h"
#include "model/products.h"
#include "tests/support/fake_panel.h"

namespace kvtk {
namespace {

// Panels answer at the given addresses only, as a KV-4800 at firmware 4.00.
std::function<std::string(int, const std::string&)> PanelsAt(std::set<int> addresses) {
    return [addresses](int address, const std::string& command) -> std::string {
        if (!addresses.count(address)) return "T";
        if (command == "LR73") return "A" + NumberToHex(address, 4);
        return command == "KV" ? "AKV-4800  0400" : "T";
    };
}

// Only a panel found lets OK go on; the texts are checked by their telling words.
TEST(AddressScan, NewStatusAndOkFollowTheAddressStatus) {
    using P = ProbeState;
    const std::vector<std::tuple<ProbeState, const char*, bool>> cases{
        {P::Silent, "No device was found", false},
        {P::Untested, "Click 'Read This Address' to look for a device at address 17.", false},
        {P::Garbled, "Garbled replies at address 17", false},
        {P::Answered, "Connected to an KV-4800 Version 4.00 at address 17.", true},
        {P::Assumed, "Connected to an KV-4800 Version 4.00 at address 17.", true},
    };
    for (const auto& [probe, words, ok] : cases) {
        AddressEntry entry;
        entry.Record(probe, probe == P::Answered || probe == P::Assumed
                                ? ProductIdentity{"KV-4800", "4.00"}
                                : ProductIdentity{});
        const AddressView view = ViewOfAddress(entry, 17);
        EXPECT_NE(view.NewStatus.find(words), std::string::npos) << words;
        EXPECT_EQ(view.OkEnabled, ok) << words;
    }
    EXPECT_EQ(OfflineNewStatus("WQ08 Version 5.00+", 1),
              "Offline programming an WQ08 Version 5.00+ at address 1.");
    EXPECT_EQ(CurrentStatusText(false, {"WQ16", "5.00"}, 3),
              "Offline programming an WQ16 Version 5.00 at address 3.");
}

TEST(AddressScan, FindsEveryPanelInOrder) {
    Configuration config;
    test::ScriptedPanel exchange;
    exchange.Responder = PanelsAt({3, 17});
    std::vector<std::string> shownBefore;
    std::vector<int> read;
    ScanCallbacks callbacks;
    callbacks.BeforeAddress = [&](const ScanStep& s) { shownBefore.push_back(s.NewStatus); };
    callbacks.AfterAddress = [&](const ScanStep& s) { read.push_back(s.Address); };

    const ScanResult result = ScanAddresses(config, exchange, {}, callbacks);
    EXPECT_EQ(result.Found, (std::vector<int>{3, 17}));
    EXPECT_EQ(result.LastRead, 255);
    EXPECT_FALSE(result.Stopped);
    EXPECT_EQ(result.Address, 3);
    EXPECT_TRUE(result.View.OkEnabled);
    EXPECT_FALSE(result.Beep);
    ASSERT_EQ(read.size(), 256u);
    EXPECT_EQ(shownBefore[3], "Scaning, please wait...");
    EXPECT_EQ(shownBefore[4], "Found=3");
    EXPECT_EQ(shownBefore[18], "Found=3,17");

    // Stopped after address 40: 41 is never read.
    callbacks.StopRequested = [&] { return read.back() == 40; };
    read = {-1};
    const ScanResult stopped = ScanAddresses(config, exchange, {}, callbacks);
    EXPECT_TRUE(stopped.Stopped);
    EXPECT_EQ(stopped.LastRead, 40);

    // Nothing in a range, which is held to 0..255; a silent address gets only LR73.
    exchange.Calls.clear();
    const ScanResult none = ScanAddresses(config, exchange, {250, 400});
    EXPECT_EQ(exchange.Sent(), "LR73 LR73 LR73 LR73 LR73 LR73");
    EXPECT_EQ(exchange.Calls.front().Address, 250);
    EXPECT_EQ(none.View.NewStatus, "No devices found");
    EXPECT_FALSE(none.View.OkEnabled);
    EXPECT_TRUE(none.Beep);
}

// Replies that all fail their checksum come from a device on a faulty line:
// the dialog must not call the address empty.
TEST(AddressScan, GarbledRepliesAreALineFaultNotAnEmptyAddress) {
    Configuration config;
    test::ScriptedPanel exchange;
    exchange.Responder = [](int address, const std::string&) -> std::string {
        return address == 5 || address == 6 ? "C" : "T";
    };
    const AddressReading reading = ReadAddress(config, exchange, 5);
    EXPECT_EQ(reading.Entry.Probe, ProbeState::Garbled);
    EXPECT_EQ(AddressStatusText(reading.Entry), "Not connected");
    EXPECT_EQ(reading.View.NewStatus, GarbledView(5).NewStatus);
    EXPECT_NE(reading.View.NewStatus.find("Garbled replies at address 5"), std::string::npos);
    EXPECT_FALSE(reading.View.OkEnabled);
    EXPECT_EQ(ReadAddress(config, exchange, 4).Entry.Probe, ProbeState::Silent);

    const ScanResult result = ScanAddresses(config, exchange, {4, 7});
    EXPECT_EQ(result.Garbled, (std::vector<int>{5, 6}));
    EXPECT_TRUE(result.Found.empty());
    EXPECT_EQ(result.View.NewStatus.rfind("No devices found. Garbled replies at addresses 5, 6", 0),
              0u)
        << result.View.NewStatus;
    exchange.Responder = [](int, const std::string&) -> std::string { return "C"; };
    EXPECT_EQ(ScanAddresses(config, exchange, {}).View.NewStatus,
              "No devices found. Garbled replies at 256 addresses: check the line.");

    // A line of another kind, or a bare "A" where data belong, is no panel
    // either; what came is named.
    const std::pair<std::string, std::string> strange[] = {
        {"N", "Address 5 answered \"N\", which is not a valid reply."},
        {std::string("\0\0\0", 3),
         "Address 5 answered \"\\x00\\x00\\x00\", which is not a valid reply."},
        {"A", GarbledView(5).NewStatus},
    };
    for (const auto& [line, view] : strange) {
        exchange.Responder = [line](int, const std::string&) { return line; };
        const AddressReading odd = ReadAddress(config, exchange, 5);
        EXPECT_EQ(AddressStatusText(odd.Entry), "Not connected");
        EXPECT_EQ(odd.View.NewStatus, view);
        const ScanResult scan = ScanAddresses(config, exchange, {5, 6});
        EXPECT_TRUE(scan.Found.empty());
        EXPECT_EQ(scan.Garbled, (std::vector<int>{5, 6}));
    }
}

// A line that can try quickly: it records whether each call was a quick
// try, and something comes back from `heard` even when no line completes.
class QuickLine : public test::ScriptedPanel {
public:
    static constexpr int kQuickWaitMs = 52;
    std::set<int> Heard;
    std::vector<bool> QuickCalls;
    int SetQuickTries(bool on) override {
        quick_ = on;
        return on ? kQuickWaitMs : 0;
    }
    bool HeardAnything() const override { return heard_; }
    bool QuickOn() const { return quick_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        QuickCalls.push_back(quick_);
        const std::string reply =
            ScriptedPanel::DoExchange(address, command, description, style, dataChars);
        heard_ = reply != "T" || Heard.count(address) > 0;
        return reply;
    }

private:
    bool quick_ = false;
    bool heard_ = false;
};

// A quick scan gives a silent address one short try and reads in full,
// with the normal wait, every address from which anything came back, so a
// line fault is still named.
TEST(AddressScan, QuickScanReadsInFullOnlyWhereSomethingAnswered) {
    struct Case {
        const char* what;
        std::function<std::string(int, const std::string&)> responder;
        bool heard;
        std::string sent;
        std::vector<bool> quick;
        bool found;
        bool garbled;
    };
    const auto panel = PanelsAt({9});
    const std::vector<Case> cases{
        {"silent", PanelsAt({}), false, "LR73", {true}, false, false},
        {"panel", panel, false, "LR73 LR73 KV", {true, false, false}, true, false},
        {"garbled",
         [](int, const std::string&) { return std::string("C"); },
         false,
         "LR73 LR73",
         {true, false},
         false,
         true},
        {"half a line or busy dots", PanelsAt({}), true, "LR73 LR73", {true, false}, false, false},
        {"late panel",
         [&](int a, const std::string& c) { return c == "LR73" ? "T" : panel(a, c); },
         true,
         "LR73 LR73",
         {true, false},
         false,
         false},
    };
    for (const Case& c : cases) {
        Configuration config;
        QuickLine line;
        line.Responder = c.responder;
        if (c.heard) line.Heard = {9};
        const ScanResult result = ScanAddresses(config, line, {9, 9}, {}, ScanPace::Quick);
        EXPECT_EQ(line.Sent(), c.sent) << c.what;
        EXPECT_EQ(line.QuickCalls, c.quick) << c.what;
        EXPECT_EQ(result.Found.size(), c.found ? 1u : 0u) << c.what;
        EXPECT_EQ(result.Garbled.size(), c.garbled ? 1u : 0u) << c.what;
        EXPECT_EQ(AddressStatusText(config.AddressTable[9]),
                  c.found ? "KV-4800 Version 4.00" : "Not connected")
            << c.what;
    }

    // A whole silent line: one short try each, and the plain result.
    Configuration config;
    QuickLine line;
    line.Responder = PanelsAt({});
    const ScanResult none = ScanAddresses(config, line, {}, {}, ScanPace::Quick);
    EXPECT_EQ(line.Calls.size(), 256u);
    EXPECT_EQ(none.View.NewStatus, "No devices found");
    EXPECT_FALSE(line.QuickOn());  // the normal wait is back afterwards
}

}  // namespace
}  // namespace kvtk
