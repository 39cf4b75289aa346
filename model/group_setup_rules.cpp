#include "model/group_setup_rules.h"

#include <algorithm>

#include "model/conversions.h"
#include "model/products.h"

namespace kvtk {
namespace {

constexpr int16_t kAddedMember = 1;  // Add all and the flag menus store 1 for true

GroupConfig& GroupAt(Configuration& config, int group) {
    return config.Groups[static_cast<std::size_t>(group)];
}
const GroupConfig& GroupAt(const Configuration& config, int group) {
    return config.Groups[static_cast<std::size_t>(group)];
}

bool InRange(int group) {
    return group >= 1 && group <= kGroupCount;
}

std::string NumberedEntry(int number, const std::string& name) {
    return name.empty() ? std::to_string(number) : std::to_string(number) + "=" + name;
}

}  // namespace

bool IsSupergroup(const Configuration& config, int group) {
    return InRange(group) && IsSupergroup(GroupAt(config, group));
}

bool IsEditableGroup(const Configuration& config, int32_t group) {
    return group >= 1 && group <= config.Limits.MaxGroups && group <= kGroupCount;
}

bool GroupFlashAllowed(const std::string& firmwareVersion) {
    // The versions are texts with two decimals; the margin keeps 1.18 itself in.
    return VersionValue(firmwareVersion) >= kGroupFlashFirmware - 1e-9;
}

std::vector<GroupNameEntry> GroupNameEntries(const Configuration& config, int lastGroup) {
    std::vector<GroupNameEntry> entries;
    for (int g = 1; g <= std::min(lastGroup, kGroupCount); ++g) {
        const std::string& name = GroupAt(config, g).Name;
        if (!name.empty()) entries.push_back({name, g});
    }
    return entries;
}

std::vector<std::string> AssignedInputEntries(const Configuration& config, int group,
                                              int numInputs) {
    std::vector<std::string> entries;
    for (int i = 1; i <= std::min(numInputs, kInputCount); ++i) {
        const InputConfig& input = config.Inputs[static_cast<std::size_t>(i)];
        if (input.Group == group) entries.push_back(NumberedEntry(i, input.Name));
    }
    return entries;
}

std::vector<std::string> ContainingSupergroupEntries(const Configuration& config, int group) {
    std::vector<std::string> entries;
    for (int s = 1; s <= kGroupCount; ++s) {
        const GroupConfig& super = GroupAt(config, s);
        if (IsSupergroup(super) && super.HasMember(group))
            entries.push_back(NumberedEntry(s, super.Name));
    }
    return entries;
}

void RemoveFromAllSupergroups(Configuration& config, int group) {
    for (int s = 1; s <= kGroupCount; ++s) {
        GroupConfig& super = GroupAt(config, s);
        if (IsSupergroup(super)) super.SetMember(group, false);
    }
}

void EnforceSupergroupRules(Configuration& config, int supergroup) {
    if (!InRange(supergroup)) return;
    RemoveFromAllSupergroups(config, supergroup);
    GroupConfig& super = GroupAt(config, supergroup);
    for (int k = 1; k <= kMemberCount; ++k)
        if (IsSupergroup(config, k)) super.SetMember(k, false);
    super.SerialOnPriority = 0;
    super.ConstantFlash = 0;
}

void AddAllMembers(Configuration& config, int group) {
    if (!InRange(group)) return;
    const bool normal = !IsSupergroup(config, group);
    GroupConfig& target = GroupAt(config, group);
    for (int k = 1; k <= kMemberCount; ++k)
        target.Members[static_cast<std::size_t>(k)] =
            normal || !IsSupergroup(config, k) ? kAddedMember : 0;
}

void RemoveAllMembers(Configuration& config, int group) {
    if (!InRange(group)) return;
    GroupAt(config, group).Members.fill(0);
}

void InvertMembers(Configuration& config, int group) {
    if (!InRange(group)) return;
    const bool normal = !IsSupergroup(config, group);
    GroupConfig& target = GroupAt(config, group);
    for (int k = 1; k <= kMemberCount; ++k) {
        if (target.HasMember(k))
            target.SetMember(k, false);
        else if (normal || !IsSupergroup(config, k))
            target.SetMember(k, true);
    }
}

void SetAllGroupTypes(Configuration& config, int16_t type) {
    for (int g = 1; g <= kGroupCount; ++g) GroupAt(config, g).Type = type;
}

void SetAllGroupPriorities(Configuration& config, int16_t priority) {
    for (int g = 1; g <= kGroupCount; ++g) GroupAt(config, g).Priority = priority;
}

void SetAllNormalSerialOn(Configuration& config, int16_t value) {
    for (int g = 1; g <= kGroupCount; ++g)
        if (!IsSupergroup(config, g)) GroupAt(config, g).SerialOnPriority = value;
}

void SetAllNormalFlash(Configuration& config, int16_t value) {
    for (int g = 1; g <= kGroupCount; ++g)
        if (!IsSupergroup(config, g)) GroupAt(config, g).ConstantFlash = value;
}

void ClearAllMembersOfAllGroups(Configuration& config) {
    for (int g = 1; g <= kGroupCount; ++g) GroupAt(config, g).Members.fill(0);
}

bool AutoAssignRelays(Configuration& config, int numRelays) {
    if (numRelays < 1) return false;
    for (int g = 1; g <= kGroupCount; ++g) {
        if (IsSupergroup(config, g)) continue;
        GroupConfig& group = GroupAt(config, g);
        group.Members.fill(0);
        group.SetMember((g - 1) % numRelays + 1, true);
    }
    return true;
}

std::string DefaultGroupName(const GroupConfig& group, int number) {
    return (IsSupergroup(group) ? "Supergroup" : "Group") + std::to_string(number);
}

void CreateDefaultGroupNames(Configuration& config) {
    for (int g = 1; g <= kGroupCount; ++g) {
        GroupConfig& group = GroupAt(config, g);
        group.Name = DefaultGroupName(group, g);
    }
}

bool GroupDigitAccepted(const std::string& text, int selectionStart, int selectionLength,
                        char digit, int maxGroups) {
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(selectionStart, 0, size);
    const int end = std::clamp(start + std::max(selectionLength, 0), start, size);
    const std::string result = text.substr(0, static_cast<std::size_t>(start)) + digit +
                               text.substr(static_cast<std::size_t>(end));
    return IntegerValue(result) <= maxGroups;
}

}  // namespace kvtk
