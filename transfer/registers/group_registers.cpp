#include "transfer/registers/group_registers.h"

#include <algorithm>

#include "model/conversions.h"
#include "transfer/registers/member_bytes.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

std::string Indexed(const char* command, int group) {
    return command + NumberToHex(group, 2);
}

}  // namespace

std::string GroupTypeReadCommand(int group) {
    return Indexed("LR21", group);
}
std::string GroupMembersReadCommand(int group) {
    return Indexed("LR3", group);
}
std::string GroupPriorityReadCommand(int group) {
    return Indexed("LR5", group);
}
std::string GroupSerialOnReadCommand(int group) {
    return Indexed("LR67", group);
}

std::string GroupTypeWriteCommand(int group, int16_t type) {
    return Indexed("LW21", group) + (type != 0 ? "1" : "0");
}

std::string GroupMembersWriteCommand(int group, const GroupConfig& config, int byteCount) {
    return Indexed("LW3", group) + EncodeMemberBytes(config, byteCount);
}

std::string GroupPriorityWriteCommand(int group, int16_t priority) {
    // The register holds one digit; a value from outside 0..3 must not send
    // a sign or a second digit.
    return Indexed("LW5", group) + std::to_string(std::clamp<int>(priority, 0, 3));
}

std::string GroupSerialOnWriteCommand(int group, int16_t serialOnPriority) {
    return Indexed("LW67", group) + (IsOn(serialOnPriority) ? "1" : "0");
}

int16_t DecodeGroupType(const std::string& reply) {
    return ReplyDigit(reply) != 0 ? 1 : 0;
}

int16_t DecodeGroupPriority(const std::string& reply) {
    return static_cast<int16_t>(ReplyDigit(reply));
}

int16_t DecodeSerialOnPriority(const std::string& reply) {
    return static_cast<int16_t>(ReplyDigit(reply));
}

}  // namespace kvtk
