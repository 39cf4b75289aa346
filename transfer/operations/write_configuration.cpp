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

// Runs the write's stages twice when only the changes go: first to count
// what would be sent (nothing goes out), then to send it. One order of
// commands for both, so the count and the wire always agree.
class Writer {
public:
    Writer(const Configuration& config, PanelExchange& exchange, OperationHost& host,
           const RegisterContents* panel)
        : config_(config),
          exchange_(exchange),
          host_(host),
          panel_(panel),
          address_(PanelAddress(config)) {}

    // Counting: nothing is sent and no step is told.
    void StartCounting() { counting_ = true; }
    // Sending: `steps` steps of `frames` commands in all.
    void StartSending(int steps, int frames) {
        counting_ = false;
        steps_ = steps;
        frames_ = frames;
        registers_ = 0;
    }
    int Registers() const { return registers_; }
    int Frames() const { return sent_; }

    // A register write, left out when the panel already holds its value.
    void SendRegister(const std::string& command, const std::string& description) {
        if (panel_ && panel_->Holds(command)) return;
        ++registers_;
        Send(command, description);
    }
    // Every write offers Retry and Cancel; an empty reply is the cancel.
    void Send(const std::string& command, const std::string& description,
              const char* acceptedText = "Command Accepted") {
        ++sent_;
        if (counting_) return;
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
    int Steps() const { return step_; }

private:
    void StepDone(const std::string& description) {
        ++step_;
        if (!counting_) {
            OperationStep step{OperationKind::Write, description, step_, steps_};
            step.FramesSent = sent_;
            step.FramesOf = frames_;
            host_.StepDone(step);
        }
    }

    const Configuration& config_;
    PanelExchange& exchange_;
    OperationHost& host_;
    const RegisterContents* panel_;
    int address_;
    bool counting_ = false;
    int steps_ = 0;
    int frames_ = 0;
    int step_ = 0;
    int sent_ = 0;
    int registers_ = 0;
    std::string reply_ = " ";
};

int LastHeaderRow(const ProductIdentity& identity) {
    return TransfersSpecialOptions(identity) ? kRowSpecialOptions : kRowRelayEnergize;
}

int32_t InputCount(const Configuration& config) {
    const int32_t limit = std::min<int32_t>(config.Limits.MaxInputs, kInputCount);
    return std::clamp<int32_t>(CountValue(config.Panel.NumInputs), 0, limit);
}

void Writer::WriteHeader() {
    const int last = LastHeaderRow(config_.Identity);
    for (int row = kFirstTransferRow; row <= last && !Cancelled(); ++row) {
        // A flash off time with no panel spelling is not sent at all.
        const std::string description = HeaderWriteDescription(row, config_.Panel);
        if (const auto command = HeaderWriteCommand(row, config_.Panel, config_.Identity))
            SendRegister(*command, description);
        StepDone(description);
    }
}

void Writer::WriteInputs(WriteOutcome& outcome) {
    const InputLayout layout = InputWordLayout(config_.Identity);
    const int32_t count = InputCount(config_);
    outcome.InputCountClamped = count != CountValue(config_.Panel.NumInputs);
    for (int n = 1; n <= count && !Cancelled(); ++n) {
        const std::string description = "Input " + std::to_string(n);
        SendRegister(InputWriteCommand(n, EncodeInputWord(config_.Inputs[n], layout)), description);
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
            SendRegister(GroupTypeWriteCommand(g, group.Type),
                         prefix + " is a " + (super ? "super group" : "normal group"));
        if (!Cancelled())
            SendRegister(GroupMembersWriteCommand(g, group, memberBytes),
                         prefix + " write " +
                             (super && typed ? "Groups in super group" : "Relays in group"));
        if (!Cancelled())
            SendRegister(GroupPriorityWriteCommand(g, group.Priority),
                         prefix + " priority = " + PriorityName(group.Priority));
        if (!Cancelled())
            SendRegister(GroupSerialOnWriteCommand(g, group.SerialOnPriority),
                         prefix + " serial on priority " +
                             (IsOn(group.SerialOnPriority) ? "enabled" : "disabled"));
        StepDone(prefix);
    }
}

void Writer::WriteGroupFlash() {
    if (Cancelled() || !TransfersGroupFlash(config_.Identity)) return;
    SendRegister(GroupFlashWriteCommand(config_.Groups), "");
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

namespace {

// The write's stages in their order: "LSWEN", the parts chosen, the saves.
void RunStages(Writer& writer, const Configuration& config, const WriteOptions& options,
               WriteOutcome& outcome) {
    writer.Send(kWriteEnableCommand, "Write Enable");
    if (options.Header) writer.WriteHeader();
    if (options.Inputs) writer.WriteInputs(outcome);
    if (options.Groups) {
        writer.WriteGroups(outcome.GroupCountUsed);
        writer.WriteGroupFlash();
    }
    writer.Save();
    if (!writer.Cancelled() && NeedsSecondSave(config.Identity)) writer.Save();
}

}  // namespace

WriteOutcome WriteConfiguration(const Configuration& config, const WriteOptions& options,
                                PanelExchange& exchange, OperationHost& host,
                                const RegisterContents* panel) {
    WriteOutcome outcome;
    if (!options.AnyChosen()) return outcome;

    const int32_t maxGroups = std::min<int32_t>(config.Limits.MaxGroups, kGroupCount);
    outcome.GroupCountUsed = std::clamp<int32_t>(options.GroupCount, 0, maxGroups);
    outcome.GroupCountClamped = options.Groups && outcome.GroupCountUsed != options.GroupCount;

    // A step per header row, input and group, as far as the parts chosen go.
    Writer planned(config, exchange, host, options.ChangesOnly ? panel : nullptr);
    planned.StartCounting();
    WriteOutcome counted = outcome;
    RunStages(planned, config, options, counted);
    outcome.InputCountClamped = counted.InputCountClamped;
    outcome.RegistersToWrite = planned.Registers();
    if (options.ChangesOnly && planned.Registers() == 0) {
        outcome.Result = WriteResult::NothingToChange;
        return outcome;
    }
    host.Started({OperationKind::Write, planned.Steps()});

    Writer writer(config, exchange, host, options.ChangesOnly ? panel : nullptr);
    writer.StartSending(planned.Steps(), planned.Frames());
    RunStages(writer, config, options, outcome);

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
