#pragma once
// The text of a .kvx file: the product line, each section between rules and
// the closing lines, every line ended by CR LF.

#include <string>
#include <vector>

namespace kvtk::test {

inline std::string KvxText(const std::string& model, const std::string& version,
                           const std::vector<std::vector<std::string>>& sections) {
    const std::string rule = std::string(40, '-') + "\r\n";
    std::string text = rule + model + " " + version + " data\r\n";
    for (const auto& section : sections) {
        text += rule;
        for (const auto& line : section) text += line + "\r\n";
    }
    return text + rule + "End of " + model + " Data\r\n" + rule;
}

}  // namespace kvtk::test
