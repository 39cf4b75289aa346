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
    return NumberFromText(text).has_value();
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
