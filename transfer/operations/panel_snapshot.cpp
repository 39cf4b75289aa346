#include "transfer/operations/panel_snapshot.h"

#include <algorithm>

#include "model/products.h"
#include "transfer/operations/read_configuration.h"
#include "transfer/registers/firmware_conditions.h"

namespace kvtk {
namespace {

// Names the step in every description and counts the registers ignored.
class StepExchange : public ForwardingExchange {
public:
    StepExchange(PanelExchange& inner, std::string step, const Configuration& reading,
                 const SnapshotProgress& progress)
        : ForwardingExchange(inner),
          step_(std::move(step)),
          reading_(reading),
          progress_(progress) {}

    int Ignored() const { return ignored_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        if (progress_ && !command.empty()) progress_(++sent_, ReadRegisterCount(reading_));
        const std::string reply = ForwardingExchange::DoExchange(
            address, command, description.empty() ? description : step_ + ": " + description, style,
            dataChars);
        if (!reply.empty() && reply[0] == 'I') ++ignored_;
        return reply;
    }

private:
    std::string step_;
    const Configuration& reading_;
    const SnapshotProgress& progress_;
    int sent_ = 0;
    int ignored_ = 0;
};

}  // namespace

Configuration BlankLike(const Configuration& like) {
    Configuration blank;
    ApplyIdentity(blank, like.Identity);
    blank.Limits = like.Limits;
    blank.Panel.Address = like.Panel.Address;
    blank.Status = like.Status;
    return blank;
}

PanelSnapshot ReadPanelSnapshot(const Configuration& like, PanelExchange& exchange,
                                OperationHost& host, const std::string& step,
                                const SnapshotProgress& progress) {
    PanelSnapshot snapshot;
    snapshot.Config = BlankLike(like);
    StepExchange named(exchange, step, snapshot.Config, progress);
    snapshot.Aborted = !ReadConfiguration(snapshot.Config, named, host).Completed;
    snapshot.Skipped = named.Ignored();
    return snapshot;
}

CompareScope WriteScope(const Configuration& written, const WriteOptions& options) {
    CompareScope scope;
    scope.Header = options.Header;
    scope.Inputs = options.Inputs;
    scope.Groups = options.Groups;
    // The group count as the write cuts it to the product's groups.
    const int maxGroups = std::min<int>(written.Limits.MaxGroups, kGroupCount);
    scope.GroupCount = std::clamp<int>(options.GroupCount, 0, maxGroups);
    if (scope.GroupCount == kGroupCount && SkipsGroup60OnWrite(written.Identity))
        scope.GroupCount = kGroupCount - 1;
    return scope;
}

WriteCheck CheckWrite(const Configuration& written, const WriteOptions& options,
                      const WriteOutcome& outcome, PanelExchange& exchange, OperationHost& host) {
    const PanelSnapshot panel = ReadPanelSnapshot(written, exchange, host, "Verify");
    WriteOptions sent = options;
    sent.GroupCount = outcome.GroupCountUsed;
    const CompareScope scope = WriteScope(written, sent);
    WriteCheck check;
    check.ReadComplete = panel.Complete();
    if (!panel.Aborted) check.Differences = ConfigurationDifferences(written, panel.Config, scope);
    return check;
}

}  // namespace kvtk
