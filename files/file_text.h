#pragma once
// Small text rules shared by the readers of configuration files.

#include <optional>
#include <string>

namespace kvtk {

// A "key=value" line split at its first "=": the key trimmed and in upper
// case, the value trimmed in the case it has in the file.
struct KeyValue {
    std::string Key;
    std::string Value;
};
std::optional<KeyValue> SplitKeyValue(const std::string& line);

bool StartsWith(const std::string& text, const std::string& prefix);

// A block heading such as "Line #5" is recognised only at the start of a line
// that holds no "=", so a name like "Switch line #4" never starts a block.
// Returns the text after the first "#" when `upperLine` is such a heading.
std::optional<std::string> HeadingNumberText(const std::string& upperLine, const std::string& word1,
                                             const std::string& word2);

// True when the whole text (blanks at the ends aside) is one decimal number,
// with optional sign, decimal point and exponent.
bool IsNumericText(const std::string& text);

// A number as a field shows it: whole numbers without decimals.
std::string NumberText(double value);

}  // namespace kvtk
