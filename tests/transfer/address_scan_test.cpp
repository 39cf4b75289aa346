#include "transfer/address_scan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// Panels answer at the given addresses only, as a KV-4800 at firmware 4.00.
std::function<std::string(int, const std::string&)> PanelsAt(std::set<int> addresses) {
    return [addresses](int address, const std::string& command) -> std::string {
        if (!addresses.count(address)) return "T";
        if (command == "LR73") return "A" + std::to_string(address);
        if (command == "KV") return "AKV-4800  0400";
        return "T";
    };
}

TEST(AddressScan, NewStatusAndOkFollowTheAddressStatus) {
    struct Case {
        const char* status;
        std::string newStatus;
        bool ok;
    };
    const std::vector<Case> cases{
        {"Not connected", "No device was found at this address.", false},
        {"Untested Address", "Click 'Read This Address' to look for a device at address 17.",
         false},
        {"", "Click 'Read This Address' to look for a device at address 17.", false},
        {"KV-4800 Version 4.00", "Connected to an KV-4800 Version 4.00 at address 17.", true},
    };
    for (const auto& c : cases) {
        const AddressView view = ViewOfAddress(c.status, 17);
        EXPECT_EQ(view.NewStatus, c.newStatus) << c.status;
        EXPECT_EQ(view.OkEnabled, c.ok) << c.status;
    }
    EXPECT_EQ(OfflineNewStatus("WQ08 Version 5.00+", 1),
              "Offline programming an WQ08 Version 5.00+ at address 1.");
    EXPECT_EQ(CurrentStatusText(true, {"TMC-1400", "4.00"}, 3),
              "Connected to an TMC-1400 Version 4.00 at address 3.");
    EXPECT_EQ(CurrentStatusText(false, {"WQ16", "5.00"}, 1),
              "Offline programming an WQ16 Version 5.00 at address 1.");
}

TEST(AddressScan, ReadingOneAddress) {
    Configuration config;
    test::ScriptedPanel exchange;
    exchange.Responder = PanelsAt({7});
    AddressReading reading = ReadAddress(config, exchange, 7);
    EXPECT_EQ(reading.Status, "KV-4800 Version 4.00");
    EXPECT_TRUE(reading.View.OkEnabled);
    EXPECT_EQ(config.AddressTable[7].Status, "KV-4800 Version 4.00");
    for (const auto& call : exchange.Calls) EXPECT_EQ(call.Style, 0);

    reading = ReadAddress(config, exchange, 8);
    EXPECT_EQ(reading.View.NewStatus, "No device was found at this address.");
    EXPECT_FALSE(reading.View.OkEnabled);
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
    EXPECT_EQ(result.FoundList, "Found=3,17");
    EXPECT_EQ(result.LastRead, 255);
    EXPECT_FALSE(result.Stopped);
    EXPECT_EQ(result.Address, 3);
    EXPECT_EQ(result.View.NewStatus, "Connected to an KV-4800 Version 4.00 at address 3.");
    EXPECT_TRUE(result.View.OkEnabled);
    EXPECT_FALSE(result.Beep);
    ASSERT_EQ(read.size(), 256u);
    EXPECT_EQ(read.front(), 0);
    EXPECT_EQ(shownBefore[3], "Scaning, please wait...");
    EXPECT_EQ(shownBefore[4], "Found=3");
    EXPECT_EQ(shownBefore[18], "Found=3,17");
    EXPECT_EQ(config.AddressTable[17].Status, "KV-4800 Version 4.00");
    EXPECT_EQ(config.AddressTable[18].Status, "Not connected");
}

TEST(AddressScan, StopRequestEndsBeforeTheNextAddress) {
    Configuration config;
    test::ScriptedPanel exchange;
    exchange.Responder = PanelsAt({});
    int lastRead = -1;
    ScanCallbacks callbacks;
    callbacks.AfterAddress = [&](const ScanStep& s) { lastRead = s.Address; };
    callbacks.StopRequested = [&] { return lastRead == 40; };

    const ScanResult result = ScanAddresses(config, exchange, {}, callbacks);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.LastRead, 40);
    EXPECT_EQ(exchange.Calls.size(), 41u);
    EXPECT_EQ(exchange.Calls.back().Address, 40);
    EXPECT_EQ(config.AddressTable[41].Status, "");  // never read
}

TEST(AddressScan, NothingFound) {
    Configuration config;
    test::ScriptedPanel exchange;
    exchange.Responder = PanelsAt({});
    const ScanResult result = ScanAddresses(config, exchange, {});
    EXPECT_EQ(exchange.Calls.size(), 256u);  // every address answered only LR73
    EXPECT_EQ(result.Address, 0);
    EXPECT_EQ(result.View.NewStatus, "No devices found");
    EXPECT_FALSE(result.View.OkEnabled);
    EXPECT_TRUE(result.Beep);
    EXPECT_EQ(result.FoundList, "");

    // A range is held to 0..255.
    exchange.Calls.clear();
    exchange.Responder = PanelsAt({255});
    const ScanResult tail = ScanAddresses(config, exchange, {250, 400});
    EXPECT_EQ(exchange.Calls.front().Address, 250);
    EXPECT_EQ(tail.FoundList, "Found=255");
    EXPECT_EQ(tail.Address, 255);
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
    EXPECT_TRUE(reading.Garbled);
    EXPECT_EQ(reading.Status, "Not connected");
    EXPECT_EQ(reading.View.NewStatus, GarbledView(5).NewStatus);
    EXPECT_NE(reading.View.NewStatus.find("Garbled replies at address 5"), std::string::npos);
    EXPECT_FALSE(reading.View.OkEnabled);
    EXPECT_FALSE(ReadAddress(config, exchange, 4).Garbled);

    const ScanResult result = ScanAddresses(config, exchange, {4, 7});
    EXPECT_EQ(result.Garbled, (std::vector<int>{5, 6}));
    EXPECT_TRUE(result.Found.empty());
    EXPECT_EQ(result.View.NewStatus.rfind("No devices found. Garbled replies at addresses 5, 6", 0),
              0u)
        << result.View.NewStatus;
    exchange.Responder = [](int, const std::string&) -> std::string { return "C"; };
    EXPECT_EQ(ScanAddresses(config, exchange, {}).View.NewStatus,
              "No devices found. Garbled replies at 256 addresses: check the line.");
}

}  // namespace
}  // namespace kvtk
