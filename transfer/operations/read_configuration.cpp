#include "transfer/operations/read_configuration.h"

#include <algorithm>

#include "model/conversions.h"
#include "model/products.h"
#include "transfer/operations/operation_support.h"
#include "transfer/registers/firmware_conditions.h"
#include "transfer/registers/group_registers.h"
#include "transfer/registers/input_word.h"
#include "transfer/registers/member_bytes.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

// The reads pass Abort, Retry and Ignore: an empty reply is Abort, "I" is
// Ignore. Only a reply the panel accepted is decoded.
class Reader {
public:
    Reader(Configuration& config, PanelExchange& exchange, OperationHost& host)
        : config_(config), exchange_(exchange), host_(host), address_(PanelAddress(config)) {}

    // `dataChars`: the value digits the register holds; a shorter reply is
    // a failed exchange, never a value of zeros.
    bool Read(const std::string& command, const std::string& description, int dataChars) {
        reply_ =
            exchange_.Exchange(address_, command, description, kStyleAbortRetryIgnore, dataChars);
        const bool accepted = IsAcceptedReply(reply_);
        if (!accepted && !Aborted()) skipped_.push_back(description);
        // The count is known once the panel's input count is in.
        if (!Aborted())
            host_.StepDone({OperationKind::Read, description, ++done_, ReadRegisterCount(config_)});
        return accepted;
    }
    std::vector<std::string> TakeSkipped() { return std::move(skipped_); }
    bool Aborted() const { return IsCancelled(reply_); }
    const std::string& Reply() const { return reply_; }
    void Progress(const std::string& text) { host_.ShowResponseDescription(text); }

    void ReadHeader();
    void ClampCounts();
    void ReadInputs(ReadOutcome& outcome);
    void ReadGroups();
    void ReadGroupFlash();

private:
    bool ReadGroup(int g);

    Configuration& config_;
    PanelExchange& exchange_;
    OperationHost& host_;
    int address_;
    std::string reply_ = " ";  // not empty, so that the loops start
    std::vector<std::string> skipped_;
    int done_ = 0;
};

void Reader::ReadHeader() {
    for (int row = kFirstTransferRow; row <= kLastHeaderRow && !Aborted(); ++row) {
        if (row == kRowSpecialOptions && !TransfersSpecialOptions(config_.Identity)) break;
        const HeaderRegister& reg = HeaderRegisters()[static_cast<size_t>(row - 1)];
        if (Read(HeaderReadCommand(row), reg.Description, HeaderReplyChars(row)))
            Progress(ApplyHeaderReply(row, reply_, config_.Panel));
    }
}

void ClampCountText(std::string& text, int32_t low, int32_t high) {
    const int32_t value = CountValue(text);
    if (value > high)
        text = std::to_string(high);
    else if (value < low)
        text = std::to_string(low);
}

void Reader::ClampCounts() {
    const CapabilityLimits& lim = config_.Limits;
    ClampCountText(config_.Panel.NumInputs, lim.MinInputs, lim.MaxInputs);
    ClampCountText(config_.Panel.NumRelays, lim.MinRelays, lim.MaxRelays);
}

void Reader::ReadInputs(ReadOutcome& outcome) {
    const InputLayout layout = InputWordLayout(config_.Identity);
    const double firmware = VersionValue(config_.Identity.Version);
    // The count is already clamped to the product's limit (at most 120).
    const int32_t count = std::min<int32_t>(CountValue(config_.Panel.NumInputs), kInputCount);
    for (int n = 1; n <= count && !Aborted(); ++n) {
        if (!Read(InputReadCommand(n), "Input " + std::to_string(n), kInputWordReplyChars))
            continue;
        const DecodedInputWord decoded =
            DecodeInputWord(InputWordFromReply(reply_), layout, firmware);
        ApplyInputWord(decoded.Fields, config_.Inputs[n]);
        outcome.ExtendedTypeRead |= decoded.ExtendedType;
        Progress(InputProgressText(config_.Inputs[n]));
    }
}

const char* PriorityName(int16_t priority) {
    static const char* const kNames[] = {"None", "On", "Off", "On/Off"};
    return priority >= 0 && priority <= 3 ? kNames[priority] : nullptr;
}

// Returns false when the user aborted inside the group.
bool Reader::ReadGroup(int g) {
    GroupConfig& group = config_.Groups[g];
    const std::string number = std::to_string(g);
    group.Type = 0;
    if (TransfersGroupType(config_.Limits)) {
        if (Read(GroupTypeReadCommand(g), "Group " + number + " type", kGroupDigitReplyChars)) {
            group.Type = DecodeGroupType(reply_);
            Progress(group.Type != 0 ? "Super group" : "Normal group");
        }
        if (Aborted()) return false;
    }

    const std::string membersDescription =
        group.Type != 0 ? "Super group " + number + " groups" : "Group " + number + " relays";
    const int memberBytes = MemberReadBytes(config_.Identity);
    if (Read(GroupMembersReadCommand(g), membersDescription, MaskReplyChars(memberBytes)))
        DecodeMemberBytes(reply_, memberBytes, group);
    if (Aborted()) return false;
    Progress("");

    if (Read(GroupPriorityReadCommand(g), "Group " + number + " maintained priority",
             kGroupDigitReplyChars)) {
        group.Priority = DecodeGroupPriority(reply_);
        if (const char* name = PriorityName(group.Priority)) Progress(name);
    }
    if (Aborted()) return false;

    if (Read(GroupSerialOnReadCommand(g), "Group " + number + " serial on priority",
             kGroupDigitReplyChars)) {
        group.SerialOnPriority = DecodeSerialOnPriority(reply_);
        if (group.SerialOnPriority == 1) Progress("Enabled");
        if (group.SerialOnPriority == 0) Progress("Disabled");
    }
    return !Aborted();
}

void Reader::ReadGroups() {
    const int last = std::min<int>(config_.Limits.MaxGroups, kGroupCount);
    for (int g = 1; g <= last && !Aborted(); ++g)
        if (!ReadGroup(g)) break;
}

void Reader::ReadGroupFlash() {
    if (Aborted() || !TransfersGroupFlash(config_.Identity)) return;
    if (Read(kGroupFlashReadCommand, "Group flash settings", MaskReplyChars(kFullMaskBytes))) {
        Progress("");
        DecodeGroupFlash(reply_, config_.Groups);
    }
}

}  // namespace

std::string InputProgressText(const InputConfig& input) {
    return std::to_string(input.Group) + "," + std::to_string(input.Type) + "," +
           std::to_string(input.Timer) + "," + (IsOn(input.Flash) ? "On," : "Off,") +
           (input.Polarity == 1 ? "Closed" : "Open");
}

ReadOutcome ReadConfiguration(Configuration& config, PanelExchange& exchange, OperationHost& host) {
    ReadOutcome outcome;
    host.Started({OperationKind::Read, 0});

    Reader reader(config, exchange, host);
    reader.ReadHeader();
    reader.ClampCounts();  // even after an abort: the counts must fit the product
    reader.ReadInputs(outcome);
    reader.ReadGroups();
    reader.ReadGroupFlash();
    outcome.Completed = !reader.Aborted();
    outcome.Skipped = reader.TakeSkipped();

    host.Finished({OperationKind::Read, outcome.Completed});
    return outcome;
}

int ReadRegisterCount(const Configuration& config) {
    int header = kLastHeaderRow - kFirstTransferRow + 1;
    if (!TransfersSpecialOptions(config.Identity)) --header;
    const CapabilityLimits& lim = config.Limits;
    std::string count = config.Panel.NumInputs;
    ClampCountText(count, lim.MinInputs, lim.MaxInputs);  // as the read does after the header
    const int32_t inputs = std::min<int32_t>(CountValue(count), kInputCount);
    const int groups = std::min<int>(lim.MaxGroups, kGroupCount);
    const int perGroup = TransfersGroupType(lim) ? 4 : 3;
    return header + inputs + groups * perGroup + (TransfersGroupFlash(config.Identity) ? 1 : 0);
}

MemoryCheckResult CheckMemory(Configuration& config, PanelExchange& exchange) {
    const std::string reply = exchange.Exchange(PanelAddress(config), kMemoryCheckCommand, "",
                                                kStyleSilent, kMemoryCheckReplyChars);
    MemoryCheckResult result = DecodeMemoryCheck(reply);
    config.Status.Eprom = result.Eprom;
    config.Status.Eeprom = result.Eeprom;
    return result;
}

}  // namespace kvtk
