#include "files/file_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "model/conversions.h"

namespace kvtk {

std::optional<KeyValue> SplitKeyValue(const std::string& line) {
    const auto at = line.find('=');
    if (at == std::string::npos) return std::nullopt;
    return KeyValue{ToUpper(Trim(line.substr(0, at))), Trim(line.substr(at + 1))};
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::optional<std::string> HeadingNumberText(const std::string& upperLine, const std::string& word1,
                                             const std::string& word2) {
    if (upperLine.find('=') != std::string::npos) return std::nullopt;
    if (!StartsWith(upperLine, word1) && !StartsWith(upperLine, word2)) return std::nullopt;
    return upperLine.substr(upperLine.find('#') + 1);
}

bool IsNumericText(const std::string& text) {
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
    if (mantissa == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == t.size();
}

std::string NumberText(double value) {
    if (value == 0) return "0";  // also -0
    char buf[40];
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        std::snprintf(buf, sizeof buf, "%.0f", value);
    else
        std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

}  // namespace kvtk
