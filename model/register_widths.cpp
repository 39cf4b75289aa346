#include "model/register_widths.h"

namespace kvtk {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Digits(const std::string& text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

}  // namespace

std::optional<std::string> TwoDigitClock(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon != 1 && colon != 2) return std::nullopt;
    if (text.size() != colon + 3) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != colon && !IsDigit(text[i])) return std::nullopt;
    return colon == 1 ? "0" + text : text;
}

std::optional<int32_t> TimerSeconds(const std::string& text) {
    const auto clock = TwoDigitClock(text);
    if (!clock) return std::nullopt;
    return Digits(*clock, 0, 2) * 3600 + Digits(*clock, 3, 2) * 60;
}

std::optional<int32_t> OnTimeSeconds(const std::string& text) {
    const auto clock = TwoDigitClock(text);
    if (!clock) return std::nullopt;
    return Digits(*clock, 0, 2) * 60 + Digits(*clock, 3, 2);
}

}  // namespace kvtk
