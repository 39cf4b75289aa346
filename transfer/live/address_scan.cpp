#include "transfer/live/address_scan.h"

#include <algorithm>

#include "model/panel_reply.h"
#include "model/products.h"

namespace kvtk {

AddressView ViewOfAddress(const AddressEntry& entry, int address) {
    const std::string at = std::to_string(address);
    switch (entry.Probe) {
        case ProbeState::Silent:
            return {"No device was found at this address.", false};
        case ProbeState::Garbled:
            return GarbledView(address, entry.Strange);
        case ProbeState::Untested:
            return {"Click 'Read This Address' to look for a device at address " + at + ".", false};
        case ProbeState::Answered:
        case ProbeState::Assumed:
            break;
    }
    return {"Connected to an " + AddressStatusText(entry) + " at address " + at + ".", true};
}

AddressView GarbledView(int address, const std::string& strange) {
    if (!strange.empty())
        return {"Address " + std::to_string(address) + " answered \"" + VisibleReply(strange) +
                    "\", which is not a valid reply.",
                false};
    return {"Garbled replies at address " + std::to_string(address) +
                ": check baud rate, wiring, noise.",
            false};
}

std::string VisibleReply(const std::string& reply) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : reply) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (u < 0x20 || u == 0x7F) {
            text += "\\x";
            text += kDigits[u >> 4];
            text += kDigits[u & 15];
        } else {
            text += c;
        }
    }
    return text;
}

std::string OfflineNewStatus(const std::string& catalogueEntry, int address) {
    return "Offline programming an " + catalogueEntry + " at address " + std::to_string(address) +
           ".";
}

std::string CurrentStatusText(bool online, const ProductIdentity& identity, int address) {
    return std::string(online ? "Connected to" : "Offline programming") + " an " + identity.Model +
           " Version " + identity.Version + " at address " + std::to_string(address) + ".";
}

AddressReading ReadAddress(Configuration& config, PanelExchange& exchange, int address) {
    AddressReading reading;
    reading.Entry = IdentifyPanel(config, exchange, address);
    reading.View = ViewOfAddress(reading.Entry, address);
    return reading;
}

std::string FoundListText(const std::vector<int>& found) {
    std::string text;
    for (int address : found) text += (text.empty() ? "Found=" : ",") + std::to_string(address);
    return text;
}

namespace {

// Empty when no address answered garbled; otherwise a sentence naming them
// (a count when there are too many for the status line).
std::string GarbledNote(const std::vector<int>& garbled) {
    if (garbled.empty()) return {};
    if (garbled.size() == 1)
        return ". Garbled replies at address " + std::to_string(garbled[0]) + ": check the line.";
    std::string where;
    if (garbled.size() > 3) where = std::to_string(garbled.size()) + " addresses";
    for (size_t i = 0; i < garbled.size() && garbled.size() <= 3; ++i)
        where += (i == 0 ? "addresses " : ", ") + std::to_string(garbled[i]);
    return ". Garbled replies at " + where + ": check the line.";
}

// One short try of the address probe: true when the address is worth a full
// read (something came back, or the exchange cannot try quickly).
bool AnswersQuickProbe(PanelExchange& exchange, int address) {
    struct QuickTries {
        PanelExchange& exchange;
        ~QuickTries() { exchange.SetQuickTries(false); }
    };
    if (exchange.SetQuickTries(true) <= 0) return true;
    const QuickTries restore{exchange};
    const std::string reply =
        exchange.Exchange(address, "LR73", "", FailureStyle::Silent, kAddressReplyChars);
    // A cancelled try is left to the full read, which ends at once as well.
    return KindOfReply(reply) != ReplyKind::NoResponse || exchange.HeardAnything();
}

}  // namespace

ScanResult ScanAddresses(Configuration& config, PanelExchange& exchange, ScanRange range,
                         const ScanCallbacks& callbacks, ScanPace pace) {
    ScanResult result;
    const int first = std::max(range.First, 0);
    const int last = std::min(range.Last, kAddressCount - 1);
    for (int a = first; a <= last; ++a) {
        if (callbacks.StopRequested && callbacks.StopRequested()) {
            result.Stopped = true;
            break;
        }
        ScanStep step;
        step.Address = a;
        step.NewStatus = result.Found.empty() ? kScanningPleaseWait : result.FoundList;
        if (callbacks.BeforeAddress) callbacks.BeforeAddress(step);
        AddressEntry& entry = config.AddressTable[static_cast<size_t>(a)];
        if (pace == ScanPace::Quick && !AnswersQuickProbe(exchange, a))
            entry.Record(ProbeState::Silent);
        else
            IdentifyPanel(config, exchange, a);
        step.Entry = entry;
        result.LastRead = a;
        if (entry.Probe == ProbeState::Garbled) result.Garbled.push_back(a);
        if (entry.HasPanel()) {
            result.Found.push_back(a);
            result.FoundList = FoundListText(result.Found);
            step.NewStatus = result.FoundList;
        }
        if (callbacks.AfterAddress) callbacks.AfterAddress(step);
    }
    if (result.Found.empty()) {
        result.Address = 0;
        result.View = {kNoDevicesFound + GarbledNote(result.Garbled), false};
        result.Beep = true;
    } else {
        result.Address = result.Found.front();
        result.View =
            ViewOfAddress(config.AddressTable[static_cast<size_t>(result.Address)], result.Address);
    }
    return result;
}

}  // namespace kvtk
