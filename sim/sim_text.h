#pragma once
// Small text helpers of the simulated panels: hexadecimal fields and the
// additive checksum of the serial line. Kept here so the simulator does not
// lean on the tool's own conversions it is meant to check.

#include <optional>
#include <string>

namespace kvtk::sim {

// Upper-case hexadecimal of value, zero padded to `width` digits (the
// rightmost digits when the value is wider).
std::string Hex(unsigned value, int width);
// Value of a text made only of hex digits (either case); nothing for an
// empty text or any other character.
std::optional<unsigned> ParseHex(const std::string& text);
// Sum of the character codes modulo 256.
unsigned Checksum(const std::string& text);

}  // namespace kvtk::sim
