#pragma once
// The live group commands and state records of the group check window:
// "L" followed by two-digit group codes, and the records the panel answers
// with, plus every text the window shows about a group's state.

#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

// Group codes: g reports group g, 0x80 + g turns it off, 0xC0 + g turns it on.
inline constexpr int kReportBase = 0x00;
inline constexpr int kOffBase = 0x80;
inline constexpr int kOnBase = 0xC0;
inline constexpr int kGroupsPerCommand = 30;  // keeps a command at most 61 characters

// "L" + NumberToHex(base + g, 2) for g = first..last.
std::string GroupCommand(int base, int first, int last);
// "L" + NumberToHex(code, 2).
std::string GroupCommand(int code);

// The states of `count` groups walked out of a reply to a group command,
// from character 2 on: a record is 2 characters for last-switched codes 0, 1,
// 5, 6 (a non-digit counts as 0), 4 for 2 and 3, 8 for 4. A group is on for
// codes 1, 3, 4, 5. Codes 7 to 9 have no record length: from such a record on
// the rest of the batch cannot be placed, so those groups read as off and are
// marked unreadable instead of being read from a shifted position.
struct GroupStates {
    std::vector<bool> On;     // one per group, in command order
    int UnreadableFrom = -1;  // index of the first group that could not be placed, or -1
};
GroupStates DecodeGroupStates(const std::string& reply, int count);

// The firmware below which the texts add their old-firmware sentences.
inline constexpr double kControlFirmware = 4.0;
inline constexpr const char* kControlFirmwareText = "4.00";

inline constexpr const char* kRelaysRemainOnNote =
    "Note: Relays remain on as long as any group that includes them is on.";
inline constexpr const char* kGroupOptionsLine =
    "Single click a group to check its status; double click to change its state.";

// The status panel after a status query of group g: the text for status digit
// `digit` (reply character 2). Digits without a row (5, 7, 9, a non-digit, a
// missing character) leave `current` unchanged; so does digit 3 below 4.00,
// which appends its sentence to `current` (once: a text that already ends with
// it is kept as it is).
std::string StatusDigitText(char digit, int group, double firmware, const std::string& current);

// The note panel after a status query: "Group " + g + " was last turned " +
// the text of the last-switched code at reply character 3 (input number from
// characters 4-5, remaining time from 6-9). Unknown codes give just the lead.
std::string LastSwitchedText(int group, const std::string& reply);

// Status panel after a toggle the panel did not follow.
std::string RefusedToggleText(int group, double firmware);
// Status panel after a toggle it followed: "Relays"/"Groups" + " that should be
// turned " + "off: "/"on: " + " k" for each member k = 1..memberLimit.
std::string ToggleMembersText(const GroupConfig& group, bool off, int memberLimit);
// Status panel after switching all groups, and after a single-group command.
std::string AllGroupsComplianceText(double firmware);
std::string GroupCommandComplianceText(double firmware);

// Captions of the single-group buttons for the selected group.
std::string GroupOnCaption(int group);
std::string GroupOffCaption(int group);

}  // namespace kvtk
