#include "transfer/registers/member_bytes.h"

#include <algorithm>

#include "model/conversions.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

int CarriedBytes(int byteCount) {
    return std::clamp(byteCount, 1, kFullMaskBytes);
}

ItemMask MembersOf(const GroupConfig& group) {
    ItemMask items{};
    for (int k = 1; k <= kMemberCount; ++k) items[k] = group.HasMember(k);
    return items;
}

}  // namespace

std::string EncodeItemMask(const ItemMask& items, int byteCount) {
    std::string text;
    for (int byte = 0; byte < CarriedBytes(byteCount); ++byte) {
        int value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int item = byte * 8 + bit + 1;
            if (item <= kMemberCount && items[item]) value |= 1 << bit;
        }
        text += NumberToHex(value, 2);
    }
    return text;
}

void DecodeItemMask(const std::string& reply, int byteCount, ItemMask& items) {
    for (int byte = 0; byte < CarriedBytes(byteCount); ++byte) {
        const int32_t value = ReplyHex(reply, 2 + 2 * byte, 2);
        for (int bit = 0; bit < 8; ++bit) {
            const int item = byte * 8 + bit + 1;
            if (item <= kMemberCount) items[item] = (value >> bit) & 1;
        }
    }
}

std::string EncodeMemberBytes(const GroupConfig& group, int byteCount) {
    return EncodeItemMask(MembersOf(group), byteCount);
}

void DecodeMemberBytes(const std::string& reply, int byteCount, GroupConfig& group) {
    ItemMask items = MembersOf(group);
    DecodeItemMask(reply, byteCount, items);
    for (int k = 1; k <= kMemberCount; ++k)
        if (items[k] != group.HasMember(k)) group.SetMember(k, items[k]);
}

std::string GroupFlashWriteCommand(const std::array<GroupConfig, kGroupCount + 1>& groups) {
    ItemMask items{};
    for (int g = 1; g <= kGroupCount; ++g) items[g] = IsOn(groups[g].ConstantFlash);
    return std::string("LW23") + EncodeItemMask(items, kFullMaskBytes);
}

void DecodeGroupFlash(const std::string& reply, std::array<GroupConfig, kGroupCount + 1>& groups) {
    ItemMask items{};
    DecodeItemMask(reply, kFullMaskBytes, items);
    for (int g = 1; g <= kGroupCount; ++g) groups[g].ConstantFlash = OnValue(items[g]);
}

ItemMask DecodeBadRelays(const std::string& reply) {
    ItemMask items{};
    DecodeItemMask(reply, kFullMaskBytes, items);
    return items;
}

}  // namespace kvtk
