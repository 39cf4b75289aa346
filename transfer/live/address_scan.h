#pragma once
// Finding panels for the connect dialog and the command line: reading one
// address (its identity becomes the address's status) and scanning a range
// of addresses, with the texts the dialog shows and whether OK may be
// pressed. The dialog keeps its widgets; this keeps the rules.

#include <functional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"

namespace kvtk {

inline constexpr const char* kReadingPleaseWait = "Reading, please wait...";
inline constexpr const char* kScanningPleaseWait = "Scaning, please wait...";
inline constexpr const char* kNoDevicesFound = "No devices found";

// The new-status line and OK for an address as last looked at: a silent,
// untested or garbled address disables OK, one with a panel enables it.
struct AddressView {
    std::string NewStatus;
    bool OkEnabled = false;
};
AddressView ViewOfAddress(const AddressEntry& entry, int address);
// A device answered at the address, but every reply failed its checksum: a
// line fault, not an empty address. OK stays disabled. With `strange`, a
// reply line of another kind that came ("N", NUL bytes), it says that.
AddressView GarbledView(int address, const std::string& strange = {});
// Control characters of a reply spelled out: "\x00", "\r".
std::string VisibleReply(const std::string& reply);

// New status offline for a catalogue entry: OK is always enabled.
std::string OfflineNewStatus(const std::string& catalogueEntry, int address);
// The current-status line: "Connected to" / "Offline programming" + " an " +
// model + " Version " + version + " at address " + address + ".".
std::string CurrentStatusText(bool online, const ProductIdentity& identity, int address);

// "&Read This Address": IdentifyPanel, then the view of the new status.
struct AddressReading {
    AddressEntry Entry;  // as recorded in the address table
    AddressView View;
};
AddressReading ReadAddress(Configuration& config, PanelExchange& exchange, int address);

// "Found=" + the addresses joined by ","; empty for none.
std::string FoundListText(const std::vector<int>& found);

struct ScanRange {
    int First = 0;
    int Last = kAddressCount - 1;
};

// One address of a scan, told before and after it is read.
struct ScanStep {
    int Address = 0;
    AddressEntry Entry;     // after the read: what it found
    std::string NewStatus;  // the red progress line: "Scaning, please wait..." or the found list
};

struct ScanCallbacks {
    // Checked before every address; true ends the scan there.
    std::function<bool()> StopRequested;
    std::function<void(const ScanStep&)> BeforeAddress;
    std::function<void(const ScanStep&)> AfterAddress;
};

struct ScanResult {
    std::vector<int> Found;
    std::vector<int> Garbled;  // addresses whose every reply was garbled
    std::string FoundList;     // "Found=3,17", empty for none
    int LastRead = -1;         // last address read, -1 when none was
    bool Stopped = false;      // ended by a stop request before the range was done
    int Address = 0;           // what the address field shows: the first found, else 0
    AddressView View;          // the new status and OK after the scan
    bool Beep = false;         // nothing found
};

// Plain: every address gets the full identity read with the exchange's
// wait and attempts. Quick: first one short try of the address probe; only
// an address from which anything at all came back is read in full, so a
// panel slower than the short wait can be missed.
enum class ScanPace { Plain, Quick };

// Reads the addresses of `range` (held to 0..255) in increasing order,
// recording each status in the address table. With nothing found the new
// status is "No devices found" (with a beep), naming any address whose
// replies were all garbled; otherwise it is the view of the first address
// found.
ScanResult ScanAddresses(Configuration& config, PanelExchange& exchange, ScanRange range,
                         const ScanCallbacks& callbacks = {}, ScanPace pace = ScanPace::Plain);

}  // namespace kvtk
