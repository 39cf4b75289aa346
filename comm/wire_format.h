#pragma once
// Text forms of the panel protocol: the address field, the checksums, the
// serial frame and the relay frame. Text is 8-bit; every character counts as
// its code 0..255.

#include <QByteArray>
#include <string>

namespace kvtk {

// Sum of the character codes (0..255) modulo 256.
int CommandChecksum(const std::string& text);

// A reply line (without its carriage return) is accepted when it is shorter
// than 2 characters or when its last two characters, read as hex, equal the
// checksum of the characters between the class letter and them. A line of
// exactly two characters has no room for both and is refused.
bool ReplyChecksumOk(const std::string& reply);

// The two-character address field: hex up to 255, base-32 of a + 512 for
// 256..1023, and two raw bytes (high, low) above.
std::string EncodeAddressField(int address);

// ">" + address field + command + 2 hex checksum digits + CR.
std::string SerialFrame(int address, const std::string& command);
// Address field + command + CR (no start character, no checksum).
std::string RelayFrame(int address, const std::string& command);

// 8-bit text to and from the bytes of a link, character for character.
QByteArray ToBytes(const std::string& text);
std::string FromBytes(const QByteArray& bytes);

inline constexpr char kCarriageReturn = '\r';
// Transmission time of one character at 9600 baud 8N1, in milliseconds, as
// the panel timing counts it.
inline constexpr double kCharacterMs = 0.10416666666666667;

}  // namespace kvtk
