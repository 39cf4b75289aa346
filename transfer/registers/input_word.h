#pragma once
// The per-input register 9: one 16-bit word per input holding polarity,
// flash, type, timer and group, in the current or the early layout.
//
// Bit  15     14     13..11  10        9..8   7..6          5..0
// cur  Polar  Flash  0       type ext  Timer  low type bits Group (0..63)
// early: bit 8..7 Timer, bit 6..5 Type, bit 4..0 Group (0..31)

#include <cstdint>
#include <string>

#include "model/configuration.h"
#include "transfer/registers/firmware_conditions.h"

namespace kvtk {

// "LR9" + Hex 2 of the input number; the reply carries the word's 4 digits.
std::string InputReadCommand(int input);
inline constexpr int kInputWordReplyChars = 4;
// "LW9" + Hex 2 of the input number + Hex 4 of the word.
std::string InputWriteCommand(int input, uint16_t word);

// The word of an input record. Each field is cut to its own bits, so an
// out-of-range group or timer can never spill into the neighbouring fields.
uint16_t EncodeInputWord(const InputConfig& input, InputLayout layout);

// The fields a word carries.
struct InputWordFields {
    int16_t Type = 0;
    int16_t Timer = 0;
    int16_t Group = 0;
    int16_t Polarity = 0;  // 1 normally closed
    bool Flash = false;
};

// A decoded word, and whether its type carried the extension bit.
struct DecodedInputWord {
    InputWordFields Fields;
    bool ExtendedType = false;
};

// Decodes a word in a layout. In the current layout a type with the
// extension bit is limited by firmware: below 2.05 a type above 4, from 2.05
// a type above 5, becomes Momentary On (1).
DecodedInputWord DecodeInputWord(uint16_t word, InputLayout layout, double firmwareVersion);

// The word of a reply to "LR9..": the 4 hex digits from character 2.
uint16_t InputWordFromReply(const std::string& reply);

// Stores decoded fields into an input record (the name is kept; flash is
// stored as true = -1).
void ApplyInputWord(const InputWordFields& fields, InputConfig& input);

}  // namespace kvtk
