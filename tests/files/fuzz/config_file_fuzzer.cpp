// libFuzzer target: any bytes given to the configuration reader and the
// header reader end without a crash, leave every list choice on an entry of
// its list, and whatever was read can be written and read again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "files/file_header.h"
#include "model/conversions.h"
#include "model/products.h"
#include "tests/support/product_config.h"

namespace {

using namespace kvtk;

constexpr std::pair<const char*, const char*> kProducts[] = {
    {"KV-4800", "4.00"}, {"KV-4800", "2.05"}, {"TMC-1400", "4.00"}, {"KV-4500", "1.09"},
    {"WQ32", "5.00"},    {"KV-??00", "1.10"}, {"WQ60", "5.00"},     {"KV-4900", "4.00"},
};

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckInvariants(const Configuration& c) {
    const CapabilityLimits& lim = c.Limits;
    Require(std::ranges::count(FlashOffTimeList(), c.Panel.FlashOffTime) > 0);
    Require(std::ranges::count(RelayRefreshList(), c.Panel.RelayRefresh) > 0);
    Require(std::ranges::count(c.Panel.EnergizeList, c.Panel.RelayEnergize) > 0);
    const int32_t inputs = CountValue(c.Panel.NumInputs);
    Require(inputs >= lim.MinInputs && inputs <= lim.MaxInputs);
    const int32_t relays = CountValue(c.Panel.NumRelays);
    Require(relays >= lim.MinRelays && relays <= lim.MaxRelays);
    const int32_t address = CountValue(c.Panel.Address);
    Require(address >= 0 && address <= 255);
    for (int n = 1; n <= kInputCount; ++n) {
        const InputConfig& in = c.Inputs[static_cast<size_t>(n)];
        Require(in.Timer >= 0 && in.Timer <= 3);
        Require(in.Group >= lim.MinGroupNumber && in.Group <= lim.MaxGroups);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the product, the read mode and the connection.
    const uint8_t choice = data[0];
    const auto& [model, version] = kProducts[choice % std::size(kProducts)];
    const ReadMode mode = (choice & 0x08) ? ReadMode::NamesOnly : ReadMode::Full;
    const bool online = (choice & 0x10) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::istringstream headerIn(text);
    (void)ReadHeaderStream(headerIn);

    const auto fresh = [&, model = model, version = version] {
        return online ? test::OnlineConfigFor(model, version) : test::ConfigFor(model, version);
    };
    Configuration c = fresh();
    std::istringstream in(text);
    const FileResult result = ReadConfigStream(in, c, mode);
    Require(result.Ok() == result.Message.empty());
    CheckInvariants(c);

    // What was read is writable, and the written file reads without failure.
    const std::string written = ConfigFileText(c, {"01-01-01", "00:00:00", "fuzz"});
    Configuration again = fresh();
    std::istringstream writtenIn(written);
    Require(ReadConfigStream(writtenIn, again, ReadMode::Full).Ok());
    std::istringstream writtenHeader(written);
    Require(ReadHeaderStream(writtenHeader).Status != HeaderStatus::Unreadable);
    return 0;
}
