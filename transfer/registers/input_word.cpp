#include "transfer/registers/input_word.h"

#include "model/conversions.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

constexpr uint32_t kPolarityBit = 0x8000;
constexpr uint32_t kFlashBit = 0x4000;
constexpr uint32_t kTypeExtensionBit = 0x0400;

}  // namespace

std::string InputReadCommand(int input) {
    return "LR9" + NumberToHex(input, 2);
}

std::string InputWriteCommand(int input, uint16_t word) {
    return "LW9" + NumberToHex(input, 2) + NumberToHex(word, 4);
}

uint16_t EncodeInputWord(const InputConfig& input, InputLayout layout) {
    uint32_t word = 0;
    if (input.Polarity == 1) word |= kPolarityBit;
    if (IsOn(input.Flash)) word |= kFlashBit;
    const auto type = static_cast<uint32_t>(input.Type);
    const auto timer = static_cast<uint32_t>(input.Timer) & 3u;
    const auto group = static_cast<uint32_t>(input.Group);
    if (layout == InputLayout::Current) {
        // Types 4 and 5 set the extension bit and send type + 1 in the low
        // bits, so Linked On is 1 + ext and State Change 2 + ext.
        if (type & 4u) word |= kTypeExtensionBit;
        const uint32_t lowType = (input.Type <= 3 ? type : type + 1) & 3u;
        word |= lowType << 6;
        word |= timer << 8;
        word |= group & 0x3Fu;
    } else {
        word |= group & 0x1Fu;
        word |= (type & 3u) << 5;
        word |= timer << 7;
    }
    return static_cast<uint16_t>(word);
}

DecodedInputWord DecodeInputWord(uint16_t word, InputLayout layout, double firmwareVersion) {
    DecodedInputWord out;
    InputWordFields& f = out.Fields;
    f.Flash = (word & kFlashBit) != 0;
    f.Polarity = (word & kPolarityBit) ? 1 : 0;
    if (layout == InputLayout::Early) {
        f.Timer = static_cast<int16_t>((word >> 7) & 3u);
        f.Group = static_cast<int16_t>(word & 0x1Fu);
        f.Type = static_cast<int16_t>((word >> 5) & 3u);
        return out;
    }
    f.Timer = static_cast<int16_t>((word >> 8) & 3u);
    f.Group = static_cast<int16_t>(word & 0x3Fu);
    f.Type = static_cast<int16_t>((word >> 6) & 3u);
    if (word & kTypeExtensionBit) {
        out.ExtendedType = true;
        f.Type = static_cast<int16_t>(f.Type + 3);
        if (firmwareVersion < 2.05) {
            if (f.Type > kLinkedOn) f.Type = kMomentaryOn;
        } else {
            if (f.Type > kStateChange) f.Type = kMomentaryOn;
        }
    }
    return out;
}

uint16_t InputWordFromReply(const std::string& reply) {
    return static_cast<uint16_t>(ReplyHex(reply, 2, 4));
}

void ApplyInputWord(const InputWordFields& fields, InputConfig& input) {
    input.Type = fields.Type;
    input.Timer = fields.Timer;
    input.Group = fields.Group;
    input.Polarity = fields.Polarity;
    input.Flash = OnValue(fields.Flash);
}

}  // namespace kvtk
