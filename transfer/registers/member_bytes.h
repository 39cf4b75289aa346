#pragma once
// Bit masks of up to 60 items (relays or groups) as the panel spells them:
// byte k (2 hex digits) holds items 8k + 1 to 8k + 8, bit j for item
// 8k + j + 1. Eight bytes carry items 1 to 60 (bits beyond 60 are ignored on
// reading and sent as 0); one byte carries items 1 to 8 only. Used by the
// group member register 3 and the whole-panel registers 23 (group flash)
// and 78 (bad relays).

#include <array>
#include <string>

#include "model/configuration.h"

namespace kvtk {

inline constexpr int kFullMaskBytes = 8;
// The hex digits a read reply of `byteCount` bytes carries.
constexpr int MaskReplyChars(int byteCount) {
    return 2 * byteCount;
}

// Item k (1..60) is set; entry 0 is unused.
using ItemMask = std::array<bool, kMemberCount + 1>;

// 2 hex digits per byte, byte 0 first. byteCount is cut to 1..8.
std::string EncodeItemMask(const ItemMask& items, int byteCount);

// Reads byteCount bytes from character 2 of a reply. Items beyond those
// carried are left as they are in `items`; missing digits read as 0.
void DecodeItemMask(const std::string& reply, int byteCount, ItemMask& items);

// Group members (booleans of GroupConfig, true = -1) in the same layout.
std::string EncodeMemberBytes(const GroupConfig& group, int byteCount);
void DecodeMemberBytes(const std::string& reply, int byteCount, GroupConfig& group);

// Register 23: ConstantFlash of groups 1..60, always 8 bytes.
inline constexpr const char* kGroupFlashReadCommand = "LR23";
std::string GroupFlashWriteCommand(const std::array<GroupConfig, kGroupCount + 1>& groups);
void DecodeGroupFlash(const std::string& reply, std::array<GroupConfig, kGroupCount + 1>& groups);

// Register 78: bad-relay flags of relays 1..60. "LW78" with no value
// clears every flag; the panel answers "AY".
inline constexpr const char* kBadRelayReadCommand = "LR78";
inline constexpr const char* kBadRelayClearCommand = "LW78";
ItemMask DecodeBadRelays(const std::string& reply);

}  // namespace kvtk
