#include "transfer/live/group_state.h"

#include "model/conversions.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

const std::string kMisbehaving = "Select 'Other->Check For Bad Relays' from the main screen menu.";

std::string ErrorSentence(int group) {
    return "Error! At least one relay in group " + std::to_string(group) + " is misbehaving.\n" +
           kMisbehaving;
}

std::string OldFirmwareSentence(double firmware, const std::string& sentence) {
    return firmware < kControlFirmware ? sentence : std::string{};
}

// Characters a record of this last-switched code occupies; 0 when the code
// has no record length (7 to 9).
int RecordLength(char code) {
    const int value = (code >= '0' && code <= '9') ? code - '0' : 0;
    switch (value) {
        case 0:
        case 1:
        case 5:
        case 6:
            return 2;
        case 2:
        case 3:
            return 4;
        case 4:
            return 8;
        default:
            return 0;
    }
}

bool CodeMeansOn(char code) {
    return code == '1' || code == '3' || code == '4' || code == '5';
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

const char* const kMayBeControlled =
    " may be under the control of a maintained-priority input"
    " or may be timing with serial-on-priority disabled";
const char* const kManualMode = " or the device may be in manual mode";

}  // namespace

std::string GroupCommand(int base, int first, int last) {
    std::string command = "L";
    for (int g = first; g <= last; ++g) command += NumberToHex(base + g, 2);
    return command;
}

std::string GroupCommand(int code) {
    return "L" + NumberToHex(code, 2);
}

GroupStates DecodeGroupStates(const std::string& reply, int count) {
    GroupStates states;
    states.On.assign(count > 0 ? static_cast<size_t>(count) : 0, false);
    int position = 2;
    for (int i = 0; i < count; ++i) {
        const std::string code = ReplyChars(reply, position + 1, 1);
        const char c = code.empty() ? '\0' : code[0];
        const int length = RecordLength(c);
        if (length == 0) {
            states.UnreadableFrom = i;
            break;
        }
        states.On[static_cast<size_t>(i)] = CodeMeansOn(c);
        position += length;
    }
    return states;
}

std::string StatusDigitText(char digit, int group, double firmware, const std::string& current) {
    const std::string g = std::to_string(group);
    switch (digit) {
        case '0':
            return "Device is in operating mode.";
        case '1':
            return "Group " + g + " is in flash state.";
        case '2':
            return ErrorSentence(group);
        case '3':
            if (firmware < kControlFirmware) {
                const std::string sentence =
                    std::string(
                        "  It can not be controlled by serial commands with firmware "
                        "versions < ") +
                    kControlFirmwareText + ".";
                // Repeated queries must not stack the sentence up.
                return EndsWith(current, sentence) ? current : current + sentence;
            }
            return "Group " + g + " is in a flash state.  --  " + ErrorSentence(group);
        case '4':
            return "Group " + g + " has not been commanded since power up.";
        case '6':
            return "Group " + g + " has not been commanded since power up.--  " +
                   ErrorSentence(group);
        case '8':
            return "Device is in manual mode." +
                   OldFirmwareSentence(firmware,
                                       std::string("  Serial commands and inputs will be ignored "
                                                   "during manual mode with firmware versions < ") +
                                           kControlFirmwareText + ".");
        default:
            return current;
    }
}

std::string LastSwitchedText(int group, const std::string& reply) {
    const std::string lead = "Group " + std::to_string(group) + " was last turned ";
    const std::string code = ReplyChars(reply, 3, 1);
    const std::string input = std::to_string(ReplyHex(reply, 4, 2));
    switch (code.empty() ? '\0' : code[0]) {
        case '0':
            return lead + "off by serial command.";
        case '1':
            return lead + "on by serial command.";
        case '2':
            return lead + "off by input " + input + ".";
        case '3':
            return lead + "on by input " + input + ".";
        case '4':
            return lead + "on by input " + input + " with timer.  Time remaining is " +
                   HexSecondsToTime(ReplyChars(reply, 6, 4)) + "(hh:mm:ss).";
        case '5':
            return lead + "on by manual override.";
        case '6':
            return lead + "off by manual override.";
        default:
            return lead;
    }
}

std::string RefusedToggleText(int group, double firmware) {
    return "Group " + std::to_string(group) +
           " refused to change states. It may be under the control of a priority maintained "
           "input, or a momentary input with timer" +
           OldFirmwareSentence(firmware, kManualMode) + ".";
}

std::string ToggleMembersText(const GroupConfig& group, bool off, int memberLimit) {
    std::string text = group.Type != 0 ? "Groups" : "Relays";
    text += " that should be turned ";
    text += off ? "off: " : "on: ";
    for (int k = 1; k <= memberLimit && k <= kMemberCount; ++k)
        if (group.HasMember(k)) text += " " + std::to_string(k);
    return text;
}

std::string AllGroupsComplianceText(double firmware) {
    return std::string("Groups that do not comply with the on/off request") + kMayBeControlled +
           OldFirmwareSentence(firmware, kManualMode) + ".";
}

std::string GroupCommandComplianceText(double firmware) {
    return std::string("If the group does not comply with the on/off request it") +
           kMayBeControlled + OldFirmwareSentence(firmware, kManualMode) + ".";
}

std::string GroupOnCaption(int group) {
    return "&Turn group " + std::to_string(group) + " on";
}

std::string GroupOffCaption(int group) {
    return "Turn &group " + std::to_string(group) + " off";
}

}  // namespace kvtk
