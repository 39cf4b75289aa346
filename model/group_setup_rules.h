#pragma once
// The rules of the group editor that need no window: the name, input and
// supergroup lists, the member buttons (Add all, Remove all, Invert), the
// two supergroup rules and the Group menu's commands on all 60 groups.
//
// A supergroup never contains a supergroup, and has neither serial-on
// priority nor flash before off. The group editor keeps to these rules; the
// configuration itself does not enforce them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

inline constexpr int16_t kNormalGroup = 0;
inline constexpr int16_t kSuperGroup = 1;
// Flash before off exists from this firmware version on.
inline constexpr double kGroupFlashFirmware = 1.18;

inline bool IsSupergroup(const GroupConfig& group) {
    return group.Type == kSuperGroup;
}
bool IsSupergroup(const Configuration& config, int group);

// Whether `group` names one of the panel's groups (1..MaxGroups).
bool IsEditableGroup(const Configuration& config, int32_t group);
bool GroupFlashAllowed(const std::string& firmwareVersion);

struct GroupNameEntry {
    std::string Name;
    int Group = 0;
};
// Named groups 1..lastGroup in group order (the name lists of the windows).
std::vector<GroupNameEntry> GroupNameEntries(const Configuration& config, int lastGroup);

// "5=Lobby", or "5" for an unnamed input: inputs 1..numInputs assigned to `group`.
std::vector<std::string> AssignedInputEntries(const Configuration& config, int group,
                                              int numInputs);
// "12=Floor 2", or "12": the supergroups that have `group` as a member.
std::vector<std::string> ContainingSupergroupEntries(const Configuration& config, int group);

// A supergroup shown (or made): it leaves every supergroup, loses the
// members that are supergroups and both flags.
void EnforceSupergroupRules(Configuration& config, int supergroup);
void RemoveFromAllSupergroups(Configuration& config, int group);

// Add all: a normal group gets all 60 relays, a supergroup every normal
// group (true stored as 1).
void AddAllMembers(Configuration& config, int group);
void RemoveAllMembers(Configuration& config, int group);
// Present members go, absent ones come (-1), except a supergroup inside a supergroup.
void InvertMembers(Configuration& config, int group);

// The Group menu.
void SetAllGroupTypes(Configuration& config, int16_t type);
void SetAllGroupPriorities(Configuration& config, int16_t priority);
// Normal groups only; supergroups keep their (cleared) flags.
void SetAllNormalSerialOn(Configuration& config, int16_t value);
void SetAllNormalFlash(Configuration& config, int16_t value);
void ClearAllMembersOfAllGroups(Configuration& config);
// Normal group g gets the single relay ((g - 1) mod numRelays) + 1.
// Returns false, changing nothing, when there is no relay to assign.
bool AutoAssignRelays(Configuration& config, int numRelays);
// "Group7" / "Supergroup7" for all 60 groups, whatever MaxGroups is.
void CreateDefaultGroupNames(Configuration& config);
std::string DefaultGroupName(const GroupConfig& group, int number);

// The group number field takes a digit only when the text it would give
// (the text before the selection, the digit, the text after it) stays
// within maxGroups.
bool GroupDigitAccepted(const std::string& text, int selectionStart, int selectionLength,
                        char digit, int maxGroups);

}  // namespace kvtk
