#pragma once
// The one panel configuration held in memory: panel-wide values, the 120
// input records, the 60 group records, the address table, the capability
// limits of the product in use and the status shown with it.
//
// Text is 8-bit (Windows-1252) std::string throughout. Booleans of the
// records are 16-bit values: zero is false, any other value is true; writers
// store -1 (see IsOn/OnValue).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/panel_connection.h"

namespace kvtk {

inline constexpr int kInputCount = 120;    // Inputs 1..120
inline constexpr int kGroupCount = 60;     // Groups 1..60 (entry 0 unused)
inline constexpr int kMemberCount = 60;    // Members 1..60
inline constexpr int kAddressCount = 256;  // AddressTable 0..255
inline constexpr int kTimerCount = 3;      // TimerDuration 1..3
// The most characters the editors' name fields take (input and group names).
inline constexpr int kNameMaxLength = 32767;

inline constexpr int16_t kTrue = -1;
inline constexpr bool IsOn(int16_t v) {
    return v != 0;
}
inline constexpr int16_t OnValue(bool on) {
    return on ? kTrue : 0;
}

// Input types, the index of the type in the input editor's list.
enum InputType : int16_t {
    kMaintained = 0,
    kMomentaryOn = 1,
    kMomentaryOff = 2,
    kMomentaryOnOff = 3,
    kLinkedOn = 4,
    kStateChange = 5,
};

struct InputConfig {
    std::string Name;
    int16_t Type = kMomentaryOn;
    int16_t Polarity = 0;  // 0 normally open, 1 normally closed
    int16_t Group = 0;     // MinGroupNumber..MaxGroups
    int16_t Timer = 0;     // 0 none, 1..3 = TimerDuration 1..3
    int16_t Flash = 0;     // flash before off (boolean)

    bool operator==(const InputConfig&) const = default;
};

struct GroupConfig {
    std::string Name;
    int16_t Type = 0;  // 0 normal (members are relays), 1 super (members are groups)
    std::array<int16_t, kMemberCount + 1> Members{};  // 1..60, booleans
    int16_t Priority = 0;                             // 0 None, 1 On, 2 Off, 3 On/Off
    int16_t SerialOnPriority = kTrue;                 // boolean; a panel read stores 1 or 0
    int16_t ConstantFlash = 0;                        // boolean

    bool HasMember(int k) const { return k >= 1 && k <= kMemberCount && IsOn(Members[k]); }
    void SetMember(int k, bool on) {
        if (k >= 1 && k <= kMemberCount) Members[k] = OnValue(on);
    }

    bool operator==(const GroupConfig&) const = default;
};

// Model name (trimmed, at most 9 characters) and firmware version text
// formatted "##.00" ("4.00", ".50"). Versions compare by numeric value.
struct ProductIdentity {
    std::string Model;
    std::string Version;

    bool operator==(const ProductIdentity&) const = default;
};

// What the last look at a panel address found.
enum class ProbeState {
    Untested,  // nobody has looked since the table was cleared
    Silent,    // nothing usable came back: no panel there
    Garbled,   // something answered, but none of its replies could be read
    Answered,  // a panel told its identity
    Assumed,   // a panel answered but never told its identity: taken by rule
};

struct AddressEntry {
    std::string Name;  // device name last given for this address
    ProbeState Probe = ProbeState::Untested;
    ProductIdentity Identity;  // Answered and Assumed
    std::string Strange;       // Garbled: the line of another kind that came, if one did

    bool HasPanel() const { return Probe == ProbeState::Answered || Probe == ProbeState::Assumed; }
    // What a look found; the name stays.
    void Record(ProbeState probe, ProductIdentity identity = {}, std::string strange = {}) {
        Probe = probe;
        Identity = std::move(identity);
        Strange = std::move(strange);
    }

    bool operator==(const AddressEntry&) const = default;
};

// Set only by ApplyProductCapabilities.
struct CapabilityLimits {
    int16_t MinInputs = 1;
    int16_t MaxInputs = 16;
    int16_t MinRelays = 1;
    int16_t MaxRelays = 8;
    int16_t MinGroupNumber = 0;
    int16_t MaxGroups = 60;
    bool SupergroupsAllowed = true;

    bool operator==(const CapabilityLimits&) const = default;
};

// Panel-wide values, held as exactly the texts the main window's fields
// show ("10:00", "0.5", "OFF", "0.048"), because the transfers, the file
// format and the report read and write those texts. An empty list choice
// means no entry is selected.
struct PanelConfig {
    std::string DeviceName;
    std::string Address = "0";               // decimal 0..255
    std::string NumInputs = "16";            // decimal count
    std::string NumRelays = "8";             // decimal count
    std::string OnTimeAfterFlash = "10:00";  // "mm:ss"
    std::string FlashOffTime = "0.5";        // entry of FlashOffTimeList()
    std::array<std::string, kTimerCount + 1> TimerDuration{"", "01:00", "02:00",
                                                           "03:00"};  // "hh:mm"
    std::string RelayRefresh = "OFF";                                 // entry of RelayRefreshList()
    std::string RelayEnergize = "0.048";                              // entry of EnergizeList
    std::vector<std::string> EnergizeList;                            // rebuilt per product
    int32_t SpecialOptions = 0;                                       // bit 0 = option 1
    std::string UnitsAt0V = "0";  // analog calibration fields of the input check
    std::string UnitsAt5V = "100";

    bool operator==(const PanelConfig&) const = default;
};

// What the status frame shows beside the configuration.
struct DeviceStatus {
    PanelConnection Connection;     // offline until a connection is chosen
    std::string Eprom = "Unknown";  // "OK", "Error!", "Unknown", "N/A"
    std::string Eeprom = "Unknown";
    bool IsOnline() const { return Connection.IsOnline(); }

    bool operator==(const DeviceStatus&) const = default;
};

// The owner of everything above. Created once by the main window (or a
// command-line run) and handed to everything else by reference.
class Configuration {
public:
    Configuration();

    // Start-up defaults of inputs 1..120 and groups 1..60.
    void ResetInputsAndGroups();

    PanelConfig Panel;
    std::array<InputConfig, kInputCount + 1> Inputs;  // 1..120, [0] unused
    std::array<GroupConfig, kGroupCount + 1> Groups;  // 0..60, [0] unused
    std::array<AddressEntry, kAddressCount> AddressTable;
    CapabilityLimits Limits;
    ProductIdentity Identity;
    DeviceStatus Status;

    bool operator==(const Configuration&) const = default;
};

// Fixed lists of the drop-down fields.
const std::vector<std::string>& FlashOffTimeList();  // "2.0" .. "0.5", 14 entries
const std::vector<std::string>& RelayRefreshList();  // "30" .. "3", "OFF" at index 28
// (130 - j) x 0.012 s formatted "0.000", down to 0.024 s, or 0.156 s for "TMC-1400".
std::vector<std::string> BuildEnergizeList(const std::string& model);
// Index of the product's default entry in that list (0.156 or 0.048).
int DefaultEnergizeIndex(const std::string& model, const std::vector<std::string>& list);

// Numeric value of a decimal count text as the fields hold it; text that
// is not a number reads as 0; huge values saturate instead of overflowing.
int32_t CountValue(const std::string& text);

}  // namespace kvtk
