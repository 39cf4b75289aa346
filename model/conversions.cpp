#include "model/conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kvtk {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return c - 'a' + 10;
}

// Upper-case hex of a value already rounded to a whole, non-negative number.
std::string PlainHex(double whole) {
    if (!(whole > 0)) return "0";
    const double capped = std::min(whole, 4294967295.0);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(capped));
    return buf;
}

std::string RightChars(const std::string& text, int width) {
    if (width <= 0) return {};
    const auto w = static_cast<size_t>(width);
    return text.size() <= w ? text : text.substr(text.size() - w);
}

std::string TwoDigits(long long v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02lld", v);
    return buf;
}

}  // namespace

double NumericValue(const std::string& text) {
    std::string digits;
    bool seenDigitOrPoint = false;
    bool seenPoint = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        if ((c == '-' || c == '+') && digits.empty() && !seenDigitOrPoint) {
            digits += c;
            continue;
        }
        if (c >= '0' && c <= '9') {
            digits += c;
            seenDigitOrPoint = true;
            continue;
        }
        if (c == '.' && !seenPoint) {
            digits += c;
            seenPoint = true;
            seenDigitOrPoint = true;
            continue;
        }
        break;
    }
    if (digits.empty()) return 0.0;
    const double v = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(v)) return v > 0 ? 1e300 : -1e300;
    return std::clamp(v, -1e300, 1e300);
}

std::optional<double> NumberFromText(const std::string& text) {
    const std::string t = Trim(text);
    size_t i = 0;
    auto digits = [&] {
        const size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
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
    return std::clamp(value, -1e300, 1e300);  // "1e999" is a number, just far out of range
}

int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);  // default rounding mode: ties to even
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

int32_t IntegerValue(const std::string& text) {
    return RoundHalfEven(NumericValue(text));
}

std::string NumberToBase32(int32_t value) {
    if (value < 0) value = 0;
    std::string lead;
    if (value >= 32) {
        lead = NumberToBase32(value / 32);
        value %= 32;
    }
    const char last =
        value < 10 ? static_cast<char>('0' + value) : static_cast<char>('A' + value - 10);
    return lead + last;
}

std::string NumberToBase32Padded(double value, int width) {
    const int32_t v = std::max<int32_t>(RoundHalfEven(value), 0);
    return RightChars("000000" + NumberToBase32(v / 32) + NumberToBase32(v % 32), width);
}

std::string NumberToHex(double value, int width) {
    if (!(value > 0)) value = 0;  // negative and NaN values have no panel spelling
    // Round the whole value before splitting it: rounding only the low digit
    // would turn 31.6 into "1" + "10" instead of "20".
    value = std::nearbyint(std::min(value, 4294967295.0));
    const double high = std::floor(value / 16);
    const double low = value - high * 16;
    const std::string highText = high > 0 ? PlainHex(high) : "0";
    return RightChars("000000" + highText + PlainHex(low), width);
}

double HexToNumber(const std::string& text) {
    uint32_t v = 0;
    size_t n = 0;
    for (; n < text.size() && n < 8 && IsHexDigit(text[n]); ++n)
        v = v * 16 + static_cast<uint32_t>(HexDigitValue(text[n]));
    if (n == 8) return static_cast<double>(static_cast<int32_t>(v));
    return static_cast<double>(v);
}

std::string NumberToBits(int32_t value, int16_t& count) {
    std::string bits;
    int64_t running = value;
    while (count > 0) {
        bits += (running & 1) ? '1' : '0';
        running /= 2;
        --count;
    }
    count = 0;
    return bits;
}

int32_t BitsToNumber(const std::string& text) {
    uint32_t n = 0;  // wraps like a 32-bit register for over-long texts
    for (char c : text) n = n * 2 + static_cast<uint32_t>((c >= '0' && c <= '9') ? c - '0' : 0);
    return static_cast<int32_t>(n);
}

std::string HexSecondsToTime(const std::string& text) {
    if (text.size() != 4) return {};
    auto s = static_cast<long long>(HexToNumber(text));
    const long long hours = s / 3600;
    s %= 3600;
    return TwoDigits(hours) + ":" + TwoDigits(s / 60) + ":" + TwoDigits(s % 60);
}

int32_t TimeToSeconds(std::string& text) {
    if (text.size() == 5) text += ":00";
    auto part = [&](size_t from) {
        return from < text.size() ? NumericValue(text.substr(from, 2)) : 0.0;
    };
    return RoundHalfEven(part(0) * 3600 + part(3) * 60 + part(6));
}

std::optional<std::string> ReadField(std::istream& in) {
    int c = in.get();
    while (c == '\r' || c == '\n') c = in.get();
    if (c == std::char_traits<char>::eof()) return std::nullopt;
    std::string field;
    while (c != std::char_traits<char>::eof() && c != '\r' && c != '\n') {
        if (c != ',' && c != '"') field += static_cast<char>(c);
        c = in.get();
    }
    field = Trim(field);
    if (!field.empty() && static_cast<unsigned char>(field.back()) < '0') field.pop_back();
    return field;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string ToUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

int SpinStepDelay(SpinTick& tick, int64_t nowMs, int currentDelayMs) {
    const int64_t elapsed = nowMs - tick.LastMs;
    int delay = currentDelayMs;
    if (delay * 1.1 > static_cast<double>(elapsed)) {
        if (tick.Counter != 6) {
            ++tick.Counter;
        } else {
            if (delay > 10) delay /= 2;
            tick.Counter = 0;
        }
    } else if (elapsed > 500) {
        delay = 225;
    }
    tick.LastMs = nowMs;
    return delay;
}

std::optional<int32_t> SpinStepValue(const std::string& fieldText, int32_t limit, int direction) {
    const int32_t value = IntegerValue(fieldText);
    if (direction == 1) {
        if (value < limit) return value + 1;
        return std::nullopt;
    }
    if (value > limit) return value - 1;
    return std::nullopt;
}

}  // namespace kvtk
