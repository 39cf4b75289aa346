#pragma once
// How much of a value the panel's registers hold: times travel as seconds in
// 4 hex digits, the special options as one byte, an input's timer in two bits
// of its input word. Whatever a file gives beyond that would be cut on the
// way to the panel, so the file reader refuses it, and a comparison with a
// panel never takes the cut value for the one the file gave.

#include <cstdint>
#include <optional>
#include <string>

namespace kvtk {

inline constexpr int kSecondsDigits = 4;
inline constexpr int32_t kMaxRegisterSeconds = 0xFFFF;  // 18:12:15
inline constexpr int kSpecialOptionBits = 8;
inline constexpr int32_t kMaxInputTimer = 3;

// The two-digit form of a clock text ("1:30" -> "01:30"): one or two digits,
// a colon and two digits; nothing for any other text. The conversions read
// fixed character positions, so only this form keeps its value.
std::optional<std::string> TwoDigitClock(const std::string& text);

// The seconds of "hh:mm" (a timer) and of "mm:ss" (the on time after flash),
// as they are sent; nothing when the text is no clock.
std::optional<int32_t> TimerSeconds(const std::string& text);
std::optional<int32_t> OnTimeSeconds(const std::string& text);

}  // namespace kvtk
