#pragma once
// The input check's analog channels in user units and its two calibration
// fields ("Units @ 0 V", "Units @ 5 V"), whose values are 16-bit integers.

#include <cstdint>
#include <optional>
#include <string>

namespace kvtk {

inline constexpr const char* kInvalidValue = "Invalid value.";

// raw / 255 x (unitsAt5V - unitsAt0V) + unitsAt0V, rounded halves to even.
// A four-digit reading above FF scales beyond unitsAt5V; the result is held
// to the 16-bit range instead of overflowing.
int16_t ScaleAnalog(int32_t raw, int16_t unitsAt0V, int16_t unitsAt5V);

// The value a calibration field takes when the user leaves it: numeric text
// (blanks around it allowed; sign, digits, one decimal point, exponent)
// rounded halves to even. Nothing for text that is not numeric or whose value
// lies outside the 16-bit range: the field answers "Invalid value.".
std::optional<int16_t> CalibrationValue(const std::string& text);

// The value read from a field when the view opens (no message possible
// there): like CalibrationValue, but text that is not numeric reads as 0 and
// values beyond the 16-bit range are held to it.
int16_t CalibrationValueOnOpening(const std::string& text);

}  // namespace kvtk
