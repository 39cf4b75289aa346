#pragma once
// Product identity, the offline catalogue, the comparison rules used when a
// new identity meets a configuration, and the capability rules that turn an
// identity into limits, lists and enabled commands.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"

namespace kvtk {

// Numeric value of a version text ("4.00+" reads as 4.00, "" as 0).
double VersionValue(const std::string& version);
// "##.00": at least two decimals, no leading zero below 1 (0.5 -> ".50").
std::string FormatVersion(double version);

// Splits "KV-4800 Version 4.00" (a status text or catalogue entry) at
// " Version ": model before it, version text after "Version ".
ProductIdentity IdentityFromText(const std::string& text);
std::string StatusText(const ProductIdentity& id);  // model + " Version " + version

// Status texts of an address.
inline constexpr const char* kUntestedAddress = "Untested Address";
inline constexpr const char* kNotConnected = "Not connected";
inline constexpr const char* kOldestPanelStatus = "KV-4500 Version 1.07";
// What a panel that answers but cannot report its identity is taken for.
ProductIdentity OldestPanelIdentity();
// The status text of an address as the connect dialog shows it: "Untested
// Address", "Not connected" (also for garbled replies), or the identity's
// StatusText.
std::string AddressStatusText(const AddressEntry& entry);

// The offline catalogue, 15 entries; position 10 is selected at first.
const std::vector<std::string>& ProductCatalogue();
inline constexpr int kDefaultCataloguePosition = 10;

// How model a meets model b, numbered as the rule numbers it.
enum class ModelMatch : int16_t {
    None = 0,          // different products
    Same = -1,         // the same product (b is as general as a, or more)
    FirstGeneral = 1,  // a is the more general name, or a WQ model is involved
};
// Models without a family ("-") that are not WQ do not match.
ModelMatch ProductMatch(const std::string& a, const std::string& b);
// Whether a file saved for `fileModel` is data for a panel of `panelModel`:
// ProductMatch, except that a WQ model matches only itself.
bool SameProductForWrite(const std::string& fileModel, const std::string& panelModel);

// The file-header information last read from a configuration file; a
// KV-4500 at 1.09 or below there makes every version comparison equal.
struct FileHeaderInfo {
    std::string Model;
    std::string Version;
};
// How version b stands to version a, numbered as the rule numbers it.
enum class VersionOrder : int16_t {
    Equal = 0,   // or treated as equal
    Newer = -1,  // b is newer
    Older = 1,   // b is older
};
VersionOrder VersionCompare(const std::string& a, const std::string& b,
                            const std::optional<FileHeaderInfo>& lastFileHeader = std::nullopt);

// Catalogue position that fits an identity (the connect dialog's update box).
int SelectCatalogueEntry(const ProductIdentity& id);

// What the windows must show after the capability rules ran.
struct CapabilityView {
    std::string GroupRange;               // e.g. "0..60"
    std::string InputRange;               // e.g. "1..120"
    std::string RelayRange;               // e.g. "1..8"
    std::vector<std::string> InputTypes;  // the input-type list of every row
    std::vector<std::string> GroupNames;  // name list entries of groups 1..MaxGroups with a name
    std::vector<int> GroupNumbers;        // the group number attached to each entry
    bool SetAllLinkedOnEnabled = false;
    bool SetAllStateChangeEnabled = false;
    bool SpecialOptionsEnabled = false;
};

// Sets the limits, clamps counts and input groups, clears supergroups when
// not allowed, rebuilds the energize list and selects its default, and
// returns what the windows show. Model and version are trimmed first.
CapabilityView ApplyProductCapabilities(Configuration& config, const std::string& model,
                                        const std::string& version);

// Takes `identity` as the configuration's product (as given, not trimmed)
// and applies its capabilities: what every front end does once it knows
// which panel it has.
CapabilityView ApplyIdentity(Configuration& config, const ProductIdentity& identity);

// Input-type list offered for a firmware version.
std::vector<std::string> InputTypeNames(double version);
const std::vector<std::string>& AllInputTypeNames();  // the six names

// The check-bad-relays command is enabled only online for these models.
bool BadRelayCommandEnabled(bool online, const std::string& model);

// What an identity reply carries after its "A": the model in 9 characters,
// the version in 4 digits. "LR73" answers at least the address's 2 digits.
inline constexpr int kIdentityReplyChars = 13;
inline constexpr int kAddressReplyChars = 2;
// Identity queries sent before a panel that answers "LR73" is taken for one
// that cannot report its identity: one lost reply must not make a product.
inline constexpr int kIdentityQueries = 2;

// Asks LR73 then KV at an address and records what it found in the
// address table (an address outside it is only asked). Only a reply
// carrying the data asked for counts: any other line ("N", NUL bytes, a
// bare "A") is no panel, and one that came instead of an answer to LR73
// makes the address Garbled.
AddressEntry IdentifyPanel(Configuration& config, PanelExchange& exchange, int address);

}  // namespace kvtk
