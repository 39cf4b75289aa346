#pragma once
// The per-group registers, index = group number (2 hex digits):
// 21 type, 3 members, 5 maintained priority, 67 serial on priority.
// Registers 21, 5 and 67 carry one decimal digit, read from character 2.

#include <cstdint>
#include <string>

#include "model/configuration.h"

namespace kvtk {

// The reply to 21, 5 and 67 carries its one digit.
inline constexpr int kGroupDigitReplyChars = 1;
std::string GroupTypeReadCommand(int group);      // "LR21" + Hex 2
std::string GroupMembersReadCommand(int group);   // "LR3" + Hex 2
std::string GroupPriorityReadCommand(int group);  // "LR5" + Hex 2
std::string GroupSerialOnReadCommand(int group);  // "LR67" + Hex 2

// "LW21" + Hex 2 + "1" for a supergroup, "0" for a normal group.
std::string GroupTypeWriteCommand(int group, int16_t type);
// "LW3" + Hex 2 + member bytes (2 hex digits per byte).
std::string GroupMembersWriteCommand(int group, const GroupConfig& config, int byteCount);
// "LW5" + Hex 2 + the priority digit 0..3 (kept in range).
std::string GroupPriorityWriteCommand(int group, int16_t priority);
// "LW67" + Hex 2 + "1" when enabled, "0" otherwise.
std::string GroupSerialOnWriteCommand(int group, int16_t serialOnPriority);

// 1 (supergroup) when character 2 is a non-zero digit, else 0.
int16_t DecodeGroupType(const std::string& reply);
// The value of character 2: 0 None, 1 On, 2 Off, 3 On/Off.
int16_t DecodeGroupPriority(const std::string& reply);
// The value of character 2: 1 enabled, 0 disabled.
int16_t DecodeSerialOnPriority(const std::string& reply);

}  // namespace kvtk
