#include "transfer/operations/panel_snapshot.h"

#include "model/products.h"
#include "transfer/operations/read_configuration.h"
#include "transfer/registers/firmware_conditions.h"

namespace kvtk {
namespace {

// Names the step in every description and counts the registers ignored.
class StepExchange : public ForwardingExchange {
public:
    StepExchange(PanelExchange& inner, std::string step)
        : ForwardingExchange(inner), step_(std::move(step)) {}

    std::string Exchange(int address, const std::string& command, const std::string& description,
                         int style) override {
        const std::string reply = ForwardingExchange::Exchange(
            address, command, description.empty() ? description : step_ + ": " + description,
            style);
        if (!reply.empty() && reply[0] == 'I') ++ignored_;
        return reply;
    }
    int Ignored() const { return ignored_; }

private:
    std::string step_;
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
                                OperationHost& host, const std::string& step) {
    PanelSnapshot snapshot;
    snapshot.Config = BlankLike(like);
    StepExchange named(exchange, step);
    snapshot.Aborted = !ReadConfiguration(snapshot.Config, named, host).Completed;
    snapshot.Skipped = named.Ignored();
    return snapshot;
}

WriteCheck CheckWrite(const Configuration& written, const WriteOptions& options,
                      const WriteOutcome& outcome, PanelExchange& exchange, OperationHost& host) {
    const PanelSnapshot panel = ReadPanelSnapshot(written, exchange, host, "Verify");
    CompareScope scope;
    scope.Header = options.Header;
    scope.Inputs = options.Inputs;
    scope.Groups = options.Groups;
    scope.GroupCount = outcome.GroupCountUsed;
    if (scope.GroupCount == kGroupCount && SkipsGroup60OnWrite(written.Identity))
        scope.GroupCount = kGroupCount - 1;
    WriteCheck check;
    check.ReadComplete = panel.Complete();
    if (!panel.Aborted) check.Differences = ConfigurationDifferences(written, panel.Config, scope);
    return check;
}

}  // namespace kvtk
