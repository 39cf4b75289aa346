#include "transfer/operations/write_configuration.h"

#include <algorithm>

#include "model/products.h"
#include "transfer/operations/operation_support.h"
#include "transfer/registers/firmware_conditions.h"
#include "transfer/registers/group_registers.h"
#include "transfer/registers/input_word.h"
#include "transfer/registers/member_bytes.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
namespace {

const char* PriorityName(int16_t priority) {
    static const char* const kNames[] = {"None", "On", "Off", "On/Off"};
    return kNames[std::clamp<int16_t>(priority, 0, 3)];  // as the command sends it
}

class Writer {
public:
    Writer(const Configuration& config, PanelExchange& exchange, OperationHost& host, int steps)
        : config_(config),
          exchange_(exchange),
          host_(host),
          address_(PanelAddress(config)),
          steps_(steps) {}

    // Every write offers Retry and Cancel; an empty reply is the cancel.
    void Send(const std::string& command, const std::string& description,
              const char* acceptedText = "Command Accepted") {
        reply_ = exchange_.Exchange(address_, command, description, kStyleRetryCancel);
        if (!Cancelled()) host_.ShowResponseDescription(acceptedText);
    }
    bool Cancelled() const { return IsCancelled(reply_); }

    void WriteHeader();
    void WriteInputs(WriteOutcome& outcome);
    void WriteGroups(int32_t groupCount);
    void WriteGroupFlash();
    void Save();
    void DisableWriting();

private:
    void StepDone(const std::string& description) {
        host_.StepDone({OperationKind::Write, description, ++step_, steps_});
    }

    const Configuration& config_;
    PanelExchange& exchange_;
    OperationHost& host_;
    int address_;
    int steps_;
    int step_ = 0;
    std::string reply_ = " ";
};

int LastHeaderRow(const ProductIdentity& identity) {
    return TransfersSpecialOptions(identity) ? kRowSpecialOptions : kRowRelayEnergize;
}

int32_t InputCount(const Configuration& config) {
    const int32_t limit = std::min<int32_t>(config.Limits.MaxInputs, kInputCount);
    return std::clamp<int32_t>(CountValue(config.Panel.NumInputs), 0, limit);
}

int32_t GroupsToWrite(const Configuration& config, int32_t groupCount) {
    return groupCount >= kGroupCount && SkipsGroup60OnWrite(config.Identity) ? kGroupCount - 1
                                                                             : groupCount;
}

void Writer::WriteHeader() {
    const int last = LastHeaderRow(config_.Identity);
    for (int row = kFirstTransferRow; row <= last && !Cancelled(); ++row) {
        // A flash off time with no panel spelling is not sent at all.
        const std::string description = HeaderWriteDescription(row, config_.Panel);
        if (const auto command = HeaderWriteCommand(row, config_.Panel, config_.Identity))
            Send(*command, description);
        StepDone(description);
    }
}

void Writer::WriteInputs(WriteOutcome& outcome) {
    const InputLayout layout = InputWordLayout(config_.Identity);
    const int32_t count = InputCount(config_);
    outcome.InputCountClamped = count != CountValue(config_.Panel.NumInputs);
    for (int n = 1; n <= count && !Cancelled(); ++n) {
        const std::string description = "Input " + std::to_string(n);
        Send(InputWriteCommand(n, EncodeInputWord(config_.Inputs[n], layout)), description);
        if (!Cancelled()) outcome.InputsWritten = n;
        StepDone(description);
    }
}

void Writer::WriteGroups(int32_t groupCount) {
    const bool typed = TransfersGroupType(config_.Limits);
    const int memberBytes = MemberWriteBytes(config_.Identity);
    for (int g = 1; g <= groupCount && !Cancelled(); ++g) {
        if (g == kGroupCount && SkipsGroup60OnWrite(config_.Identity)) break;
        const GroupConfig& group = config_.Groups[g];
        const std::string prefix = "Group " + std::to_string(g);
        const bool super = group.Type == 1;
        if (typed)
            Send(GroupTypeWriteCommand(g, group.Type),
                 prefix + " is a " + (super ? "super group" : "normal group"));
        if (!Cancelled())
            Send(GroupMembersWriteCommand(g, group, memberBytes),
                 prefix + " write " +
                     (super && typed ? "Groups in super group" : "Relays in group"));
        if (!Cancelled())
            Send(GroupPriorityWriteCommand(g, group.Priority),
                 prefix + " priority = " + PriorityName(group.Priority));
        if (!Cancelled())
            Send(GroupSerialOnWriteCommand(g, group.SerialOnPriority),
                 prefix + " serial on priority " +
                     (IsOn(group.SerialOnPriority) ? "enabled" : "disabled"));
        StepDone(prefix);
    }
}

void Writer::WriteGroupFlash() {
    if (Cancelled() || !TransfersGroupFlash(config_.Identity)) return;
    Send(GroupFlashWriteCommand(config_.Groups), "");
}

void Writer::Save() {
    if (Cancelled()) return;
    Send(kSaveEnableCommand, "Enable Save", "Enabled");
    if (!Cancelled()) Send(kSaveCommand, "Saving to EEPROM", "Data Saved Successfully");
}

void Writer::DisableWriting() {
    host_.Wait({WaitKind::WriteDisablePause, kWriteDisablePauseMs, ""});
    Send(kWriteDisableCommand, "Write Disable");
}

// Firmware "1.11" (the text, not the number) saves only on the second try.
bool NeedsSecondSave(const ProductIdentity& identity) {
    return identity.Version == "1.11" && identity.Model != "KV-4800";
}

}  // namespace

TimedWait SavingWait(const ProductIdentity& identity) {
    if (VersionValue(identity.Version) >= 4.0)
        return {WaitKind::Saving, 5000, "This will take approximately 5 seconds..."};
    if (identity.Model == "KV-4800") return {WaitKind::Saving, 0, ""};
    return {WaitKind::Saving, 25000, "This will take approximately 25 seconds..."};
}

WriteOutcome WriteConfiguration(const Configuration& config, const WriteOptions& options,
                                PanelExchange& exchange, OperationHost& host) {
    WriteOutcome outcome;
    if (!options.AnyChosen()) return outcome;

    const int32_t maxGroups = std::min<int32_t>(config.Limits.MaxGroups, kGroupCount);
    outcome.GroupCountUsed = std::clamp<int32_t>(options.GroupCount, 0, maxGroups);
    outcome.GroupCountClamped = options.Groups && outcome.GroupCountUsed != options.GroupCount;

    // A step per header row, input and group, as far as the parts chosen go.
    int steps = 0;
    if (options.Header) steps += LastHeaderRow(config.Identity) - kFirstTransferRow + 1;
    if (options.Inputs) steps += InputCount(config);
    if (options.Groups) steps += GroupsToWrite(config, outcome.GroupCountUsed);
    host.Started({OperationKind::Write, steps});

    Writer writer(config, exchange, host, steps);
    writer.Send(kWriteEnableCommand, "Write Enable");
    if (options.Header) writer.WriteHeader();
    if (options.Inputs) writer.WriteInputs(outcome);
    if (options.Groups) {
        writer.WriteGroups(outcome.GroupCountUsed);
        writer.WriteGroupFlash();
    }
    writer.Save();
    if (!writer.Cancelled() && NeedsSecondSave(config.Identity)) writer.Save();

    if (writer.Cancelled()) {
        writer.DisableWriting();
        outcome.WritingDisabled = !writer.Cancelled();
        outcome.Result = WriteResult::Cancelled;
    } else {
        const TimedWait wait = SavingWait(config.Identity);
        if (wait.Milliseconds > 0) host.Wait(wait);
        outcome.Result = WriteResult::Saved;
    }
    host.Finished({OperationKind::Write, outcome.Result == WriteResult::Saved});
    return outcome;
}

}  // namespace kvtk
