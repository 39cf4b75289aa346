#include "transfer/analog_scale.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "model/conversions.h"

namespace kvtk {
namespace {

constexpr double kMin16 = std::numeric_limits<int16_t>::min();
constexpr double kMax16 = std::numeric_limits<int16_t>::max();

int16_t Round16(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int16_t>(std::clamp(std::nearbyint(value), kMin16, kMax16));
}

// The number a whole field text spells, or nothing.
std::optional<double> NumberOf(const std::string& text) {
    const std::string t = Trim(text);
    size_t i = 0;
    auto digits = [&] {
        const size_t from = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        return i - from;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t mantissa = digits();
    if (i < t.size() && t[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    const double value = std::strtod(t.c_str(), nullptr);
    return std::clamp(value, -1e300, 1e300);  // "1e999" is numeric, just far out of range
}

}  // namespace

int16_t ScaleAnalog(int32_t raw, int16_t unitsAt0V, int16_t unitsAt5V) {
    const double span = static_cast<double>(unitsAt5V) - static_cast<double>(unitsAt0V);
    return Round16(static_cast<double>(raw) / 255.0 * span + unitsAt0V);
}

std::optional<int16_t> CalibrationValue(const std::string& text) {
    const auto value = NumberOf(text);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < kMin16 || rounded > kMax16) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

int16_t CalibrationValueOnOpening(const std::string& text) {
    const auto value = NumberOf(text);
    return value ? Round16(*value) : 0;
}

}  // namespace kvtk
