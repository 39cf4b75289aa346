#include "transfer/operations/config_compare.h"

#include <algorithm>

#include "model/products.h"
#include "transfer/registers/firmware_conditions.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
namespace {

const char* OnOff(int16_t value) {
    return IsOn(value) ? "on" : "off";
}

std::string HeaderLabel(int row) {
    switch (row) {
        case kRowInputCount:
            return "Input count";
        case kRowRelayCount:
            return "Relay count";
        case kRowOnTimeAfterFlash:
            return "Flash on time";
        case kRowFlashOffTime:
            return "Flash off time";
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3:
            return "Timer " + std::to_string(row - kRowTimer1 + 1) + " duration";
        case kRowRelayRefresh:
            return "Relay refresh";
        case kRowRelayEnergize:
            return "Energize duration";
        default:
            return "Special options";
    }
}

std::string HeaderText(int row, const PanelConfig& panel) {
    switch (row) {
        case kRowInputCount:
            return panel.NumInputs;
        case kRowRelayCount:
            return panel.NumRelays;
        case kRowOnTimeAfterFlash:
            return panel.OnTimeAfterFlash;
        case kRowFlashOffTime:
            return panel.FlashOffTime;
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3:
            return panel.TimerDuration[static_cast<size_t>(row - kRowTimer1 + 1)];
        case kRowRelayRefresh:
            return panel.RelayRefresh;
        case kRowRelayEnergize:
            return panel.RelayEnergize;
        default:
            return std::to_string(panel.SpecialOptions);
    }
}

std::string TypeName(int16_t type) {
    const auto& names = AllInputTypeNames();
    return type >= 0 && static_cast<size_t>(type) < names.size() ? names[static_cast<size_t>(type)]
                                                                 : std::to_string(type);
}

std::string PriorityName(int16_t priority) {
    static const char* const names[] = {"None", "On", "Off", "On/Off"};
    return priority >= 0 && priority <= 3 ? names[priority] : std::to_string(priority);
}

constexpr const char* kPanelSection = "Panel Information";
constexpr const char* kInputSection = "Input Information";
constexpr const char* kGroupSection = "Group Information";

class Differences {
public:
    void Add(const char* section, const std::string& what, const std::string& file,
             const std::string& panel) {
        if (file != panel) list_.push_back({section, what, file, panel});
    }
    std::vector<ConfigDifference> Take() { return std::move(list_); }

private:
    std::vector<ConfigDifference> list_;
};

}  // namespace

std::string DifferenceLine(const ConfigDifference& d) {
    return d.Item + ": file " + d.FileValue + ", panel " + d.PanelValue;
}

std::vector<ConfigDifference> ConfigurationDifferences(const Configuration& file,
                                                       const Configuration& panel,
                                                       const CompareScope& scope) {
    Differences d;
    const ProductIdentity& id = panel.Identity;
    const int lastRow = !scope.Header                 ? kFirstTransferRow - 1
                        : TransfersSpecialOptions(id) ? kRowSpecialOptions
                                                      : kRowRelayEnergize;
    for (int row = kFirstTransferRow; row <= lastRow; ++row) {
        const auto command = HeaderWriteCommand(row, file.Panel, id);
        if (!command) continue;  // a value without panel spelling is never written
        // What a read gives back after the file's value was written: some
        // values are spelled differently on writing (the flash off code table).
        const size_t prefix = 2 + HeaderRegisters()[static_cast<size_t>(row - 1)].Register.size();
        PanelConfig expected = file.Panel;
        ApplyHeaderReply(row, "A" + command->substr(prefix), expected);
        // A value its register cannot hold differs from whatever the panel
        // holds, even where the cut value reads back the same.
        if (!HeaderValueHeld(row, file.Panel) ||
            HeaderText(row, expected) != HeaderText(row, panel.Panel))
            d.Add(kPanelSection, HeaderLabel(row), "\"" + HeaderText(row, file.Panel) + "\"",
                  "\"" + HeaderText(row, panel.Panel) + "\"");
    }

    const int inputs = !scope.Inputs ? 0
                                     : std::clamp(std::min(CountValue(file.Panel.NumInputs),
                                                           CountValue(panel.Panel.NumInputs)),
                                                  0, kInputCount);
    for (int n = 1; n <= inputs; ++n) {
        const InputConfig& f = file.Inputs[static_cast<size_t>(n)];
        const InputConfig& p = panel.Inputs[static_cast<size_t>(n)];
        const std::string name = "Input " + std::to_string(n);
        d.Add(kInputSection, name + " type", TypeName(f.Type), TypeName(p.Type));
        d.Add(kInputSection, name + " timer", std::to_string(f.Timer), std::to_string(p.Timer));
        d.Add(kInputSection, name + " group", std::to_string(f.Group), std::to_string(p.Group));
        d.Add(kInputSection, name + " flash", OnOff(f.Flash), OnOff(p.Flash));
        d.Add(kInputSection, name + " polarity", f.Polarity ? "normally closed" : "normally open",
              p.Polarity ? "normally closed" : "normally open");
    }

    const int productGroups = std::clamp<int>(panel.Limits.MaxGroups, 0, kGroupCount);
    const int groups = !scope.Groups          ? 0
                       : scope.GroupCount < 0 ? productGroups
                                              : std::min(scope.GroupCount, productGroups);
    const int members =
        std::clamp(std::min<int>(MemberReadBytes(id) * 8, panel.Limits.MaxRelays), 0, kMemberCount);
    for (int g = 1; g <= groups; ++g) {
        const GroupConfig& f = file.Groups[static_cast<size_t>(g)];
        const GroupConfig& p = panel.Groups[static_cast<size_t>(g)];
        const std::string name = "Group " + std::to_string(g);
        if (TransfersGroupType(panel.Limits))
            d.Add(kGroupSection, name + " type", f.Type ? "super" : "normal",
                  p.Type ? "super" : "normal");
        const char* member = f.Type && panel.Limits.SupergroupsAllowed ? " group " : " relay ";
        for (int k = 1; k <= members; ++k)
            d.Add(kGroupSection, name + member + std::to_string(k), f.HasMember(k) ? "on" : "off",
                  p.HasMember(k) ? "on" : "off");
        d.Add(kGroupSection, name + " priority", PriorityName(f.Priority),
              PriorityName(p.Priority));
        d.Add(kGroupSection, name + " serial on priority",
              IsOn(f.SerialOnPriority) ? "enabled" : "disabled",
              IsOn(p.SerialOnPriority) ? "enabled" : "disabled");
    }
    // The group flash settings travel in one register for all groups.
    if (scope.Groups && TransfersGroupFlash(id))
        for (int g = 1; g <= productGroups; ++g)
            d.Add(kGroupSection, "Group " + std::to_string(g) + " flash",
                  OnOff(file.Groups[static_cast<size_t>(g)].ConstantFlash),
                  OnOff(panel.Groups[static_cast<size_t>(g)].ConstantFlash));
    return d.Take();
}

}  // namespace kvtk
