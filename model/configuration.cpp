#include "model/configuration.h"

#include <cstdio>

#include "model/conversions.h"

namespace kvtk {

Configuration::Configuration() {
    Panel.EnergizeList = BuildEnergizeList({});
    Panel.RelayEnergize = Panel.EnergizeList[DefaultEnergizeIndex({}, Panel.EnergizeList)];
    ResetInputsAndGroups();
}

void Configuration::ResetInputsAndGroups() {
    for (int n = 1; n <= kInputCount; ++n) {
        Inputs[n] = InputConfig{};
        Inputs[n].Group = static_cast<int16_t>((n - 1) % kGroupCount + 1);
    }
    for (int g = 0; g <= kGroupCount; ++g) {
        Groups[g] = GroupConfig{};
        if (g >= 1) Groups[g].SetMember(g, true);
    }
}

const std::vector<std::string>& FlashOffTimeList() {
    static const std::vector<std::string> list{"2.0", "1.8", "1.7", "1.6", "1.5", "1.4", "1.3",
                                               "1.2", "1.1", "1.0", "0.8", "0.7", "0.6", "0.5"};
    return list;
}

const std::vector<std::string>& RelayRefreshList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int m = 30; m >= 3; --m) l.push_back(std::to_string(m));
        l.push_back("OFF");
        return l;
    }();
    return list;
}

std::vector<std::string> BuildEnergizeList(const std::string& model) {
    // Entries are whole multiples of 12 ms; build them from integers so that
    // no binary rounding shows in the three decimals.
    const int lastUnits = model == "TMC-1400" ? 13 : 2;
    std::vector<std::string> list;
    for (int units = 130; units >= lastUnits; --units) {
        const int ms = units * 12;
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d.%03d", ms / 1000, ms % 1000);
        list.emplace_back(buf);
    }
    return list;
}

int DefaultEnergizeIndex(const std::string& model, const std::vector<std::string>& list) {
    if (list.empty()) return 0;
    const int last = static_cast<int>(list.size()) - 1;
    if (model == "TMC-1400") return last;
    return last >= 2 ? last - 2 : 0;
}

int32_t CountValue(const std::string& text) {
    return IntegerValue(text);
}

}  // namespace kvtk
