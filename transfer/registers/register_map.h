#pragma once
// The panel-wide registers (HeaderRegisters) and the system commands: which
// register holds which setting and how each value is spelled in a write
// command and read back from a reply. Per-input, per-group and bit-mask
// registers live in input_word.h, group_registers.h and member_bytes.h.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

// Rows of HeaderRegisters, in transfer order.
enum HeaderRow : int {
    kRowDeviceAddress = 1,  // register 73, not part of the configuration transfer
    kRowInputCount = 2,
    kRowRelayCount = 3,
    kRowOnTimeAfterFlash = 4,
    kRowFlashOffTime = 5,
    kRowTimer1 = 6,
    kRowTimer2 = 7,
    kRowTimer3 = 8,
    kRowRelayRefresh = 9,
    kRowRelayEnergize = 10,
    kRowSpecialOptions = 11,
};
inline constexpr int kFirstTransferRow = kRowInputCount;
inline constexpr int kLastHeaderRow = kRowSpecialOptions;

struct HeaderRegister {
    int Row;
    std::string Description;  // shown while the row is transferred
    std::string Register;     // digit text, e.g. "65"
};

// The 11 rows in order; HeaderRegisters()[i].Row == i + 1.
const std::array<HeaderRegister, kLastHeaderRow>& HeaderRegisters();

// "LR" + the row's register; empty for a row outside 1..11.
std::string HeaderReadCommand(int row);
// The value digits a read reply of the row carries: 4 for the seconds of
// rows 4 and 6..8, 2 for the others (row 1: the address).
int HeaderReplyChars(int row);

// "LW" + register + value for rows 2..11 from the panel-wide texts.
// Nothing (std::nullopt) for row 1, rows outside 2..11, and a flash off time
// that has no panel spelling (no list entry selected, or a key missing from
// the KV-4500 code table). Whether row 11 is sent at all is
// TransfersSpecialOptions' decision.
std::optional<std::string> HeaderWriteCommand(int row, const PanelConfig& panel,
                                              const ProductIdentity& identity);

// Whether the row's register holds the value as the texts give it: a timer
// beyond 18:12, a time that is no clock or options beyond the byte would be
// cut on writing, and the cut value read back must not pass for the given one.
bool HeaderValueHeld(int row, const PanelConfig& panel);

// The progress description of a header write ("Input Count = 16", ...).
std::string HeaderWriteDescription(int row, const PanelConfig& panel);

// Stores a read reply of rows 2..11 into the panel-wide texts and returns
// the progress text (the value taken). Rows outside 2..11 change nothing.
std::string ApplyHeaderReply(int row, const std::string& reply, PanelConfig& panel);

// Row decoders: "A" + value digits in, field value out.
int32_t DecodeCount(const std::string& reply);                 // rows 2, 3
std::string DecodeOnTimeAfterFlash(const std::string& reply);  // row 4: "mm:ss"
std::string DecodeTimerDuration(const std::string& reply);     // rows 6..8: "hh:mm"
std::string DecodeFlashOffTime(const std::string& reply);      // row 5: list entry or ""
std::string DecodeRelayRefresh(const std::string& reply);      // row 9: "OFF", "3".."30"
std::string DecodeRelayEnergize(const std::string& reply,      // row 10: list entry
                                const std::vector<std::string>& energizeList);
int32_t DecodeSpecialOptions(const std::string& reply);  // row 11: the mask

// The 2 hex digits sent for a flash off time text ("0.5" -> "05"), through
// the code table when `codeTable` (KV-4500 below 1.1).
std::optional<std::string> FlashOffWriteValue(const std::string& text, bool codeTable);

// System commands and other single registers.
inline constexpr const char* kWriteEnableCommand = "LSWEN";
inline constexpr const char* kWriteDisableCommand = "LSU";
inline constexpr const char* kSaveEnableCommand = "LSAVE_EN";
inline constexpr const char* kSaveCommand = "LSYS_SAVE";
inline constexpr const char* kResetCommand = "LSRESET83";
inline constexpr const char* kIdentityQuery = "KV";
inline constexpr const char* kAddressReadCommand = "LR73";
inline constexpr const char* kMemoryCheckCommand = "LR72";

// "LW73" + Hex 2 of the new address.
std::string AddressWriteCommand(int newAddress);
// "LW1" + Hex 2 of the product code; the panel answers "AY" when accepted.
std::string ProductCodeCommand(int productCode);

// Reply to "LR72": character 2 is "0" when the EPROM is good, character 3
// when the EEPROM is good. Results are "OK", "Error!" or "Unknown" (the
// reply was not accepted, or does not carry that character).
struct MemoryCheckResult {
    std::string Eprom;
    std::string Eeprom;
};
MemoryCheckResult DecodeMemoryCheck(const std::string& reply);
inline constexpr int kMemoryCheckReplyChars = 2;

}  // namespace kvtk
