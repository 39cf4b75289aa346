#include "transfer/live/analog_scale.h"

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

}  // namespace

int16_t ScaleAnalog(int32_t raw, int16_t unitsAt0V, int16_t unitsAt5V) {
    const double span = static_cast<double>(unitsAt5V) - static_cast<double>(unitsAt0V);
    return Round16(static_cast<double>(raw) / 255.0 * span + unitsAt0V);
}

std::optional<int16_t> CalibrationValue(const std::string& text) {
    const auto value = NumberFromText(text);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < kMin16 || rounded > kMax16) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

int16_t CalibrationValueOnOpening(const std::string& text) {
    const auto value = NumberFromText(text);
    return value ? Round16(*value) : 0;
}

}  // namespace kvtk
