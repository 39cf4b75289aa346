#pragma once
// Pure text and number conversions between panel register contents
// (hexadecimal text), bit fields, addresses and clock times, the field reader
// of configuration files and the stepping rule shared by spin buttons.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

namespace kvtk {

// Numeric value of a text the way the editing fields read numbers: leading
// blanks skipped, optional sign, digits with at most one decimal point;
// reading stops at the first other character; no number gives 0.
double NumericValue(const std::string& text);

// The number a whole text spells (blanks around allowed: sign, digits with
// at most one decimal point, optional exponent), or nothing when any part of
// the text is not a number. Far out-of-range values are held to +-1e300.
std::optional<double> NumberFromText(const std::string& text);

// NumericValue converted to a 32-bit integer (nearest, ties to even),
// saturated at the 32-bit range instead of overflowing.
int32_t IntegerValue(const std::string& text);

// Rounds to the nearest whole number, ties to even, saturating at the
// 32-bit range.
int32_t RoundHalfEven(double value);

// Base-32 digits "0".."9", "A".."V". Negative values give "0".
std::string NumberToBase32(int32_t value);
// Rightmost `width` characters of "000000" + base32(v / 32) + base32(v % 32):
// longer forms lose their leading digits (768 -> "O0", 1535 -> "FV").
std::string NumberToBase32Padded(double value, int width);

// Upper-case hexadecimal of the nearest whole number (negative reads as 0),
// zero padded, rightmost `width` characters.
std::string NumberToHex(double value, int width);
// Up to 8 leading hex digits as a 32-bit two's complement value; "FFFF" is
// 65535, "FFFFFFFF" is -1; empty or non-hex start gives 0.
double HexToNumber(const std::string& text);

// `count` characters "0"/"1", bit 0 first; count is 0 on return.
std::string NumberToBits(int32_t value, int16_t& count);
// Reads the first character as the most significant bit.
int32_t BitsToNumber(const std::string& text);

// Exactly 4 hex digits of seconds -> "hh:mm:ss"; any other length -> "".
std::string HexSecondsToTime(const std::string& text);
// "hh:mm" (completed in place to "hh:mm:00") or "hh:mm:ss" -> seconds.
int32_t TimeToSeconds(std::string& text);

// One field of a configuration file: skips leading line ends, takes the
// rest of the line without commas and double quotes, trims blanks and drops
// a last character below "0". Returns nothing at the end of the stream
// (before any character of a field was read).
std::optional<std::string> ReadField(std::istream& in);

// Removes blanks (spaces only, as the fields and replies use them) at both ends.
std::string Trim(const std::string& text);
std::string ToUpper(std::string text);

// Auto-repeat acceleration of the spin buttons. The caller keeps one
// SpinTick for all spin buttons and passes the time of this step.
struct SpinTick {
    int64_t LastMs = 0;
    int16_t Counter = 0;
};
// Updates the tick and returns the repeat delay (ms) for the next step:
// held (delay x 1.1 > elapsed) counts up to 6 steps, then halves the delay
// while it is above 10 ms; released for more than 500 ms restores 225 ms.
int SpinStepDelay(SpinTick& tick, int64_t nowMs, int currentDelayMs);
// The value step: up (direction 1) below the limit adds one, down above the
// limit subtracts one. Returns nothing when the field must beep instead.
std::optional<int32_t> SpinStepValue(const std::string& fieldText, int32_t limit, int direction);

}  // namespace kvtk
