#include "transfer/site/site_write.h"

#include <algorithm>

#include "transfer/commissioning/file_comparison.h"
#include "transfer/site/site_survey.h"

namespace kvtk {
namespace {

bool Stopped(const SiteWriteRequest& request) {
    return request.StopRequested && request.StopRequested();
}

std::string FailureText(const CommissionedWriteOutcome& outcome) {
    using R = CommissionedWriteResult;
    switch (outcome.Result) {
        case R::NotBackedUp:
            return outcome.Backup.Failure + " Nothing was written.";
        case R::WriteStopped:
            return outcome.Write.WritingDisabled
                       ? "the write was stopped; nothing was saved."
                       : "the write was stopped; nothing was saved, and the device did not "
                         "confirm \"Write Disable\".";
        case R::NotRead:
            return "the read before writing the changes was stopped; nothing was written.";
        case R::ReadBackIncomplete:
            return kReadBackIncompleteText;
        case R::Differs:
            return "the device does not hold what was written (" +
                   std::to_string(outcome.Check.Differences.size()) + " differences).";
        default:
            return {};
    }
}

void WriteOne(const SiteWriteTarget& target, const SiteWriteRequest& site, PanelExchange& exchange,
              OperationHost& host, SitePanelWrite& panel) {
    const SitePanel& row = target.Row;
    Configuration config = SitePanelConfiguration(row.Address, {row.Model, row.Version});
    if (const FileResult loaded = LoadFileForDevice(target.FilePath, config); !loaded.Ok()) {
        panel.Step = SiteWriteStep::Failed;
        panel.Why = loaded.Message.empty() ? "the file could not be read." : loaded.Message;
        return;
    }
    CommissionedWriteRequest request;
    request.Options.GroupCount = config.Limits.MaxGroups;
    request.Options.ChangesOnly = site.ChangesOnly;
    request.BackupTo = {site.BackupFolder, "Backup before site write", site.When};
    request.Verify = site.Verify;
    request.StopRequested = site.StopRequested;
    const CommissionedWriteOutcome outcome = CommissionedWrite(config, request, exchange, host);
    panel.BackupPath = outcome.Backup.Path;
    panel.Differences = outcome.Check.Differences;
    panel.Why = FailureText(outcome);
    using R = CommissionedWriteResult;
    // A panel that already holds every value is done without a write.
    const bool saved = outcome.Result == R::Saved || outcome.Result == R::Verified ||
                       outcome.Result == R::CheckSkipped || outcome.Result == R::NothingToChange;
    panel.Step = saved ? SiteWriteStep::Done : SiteWriteStep::Failed;
    if (outcome.Result == R::CheckSkipped) panel.Why = "written and saved; not checked (stopped).";
}

}  // namespace

bool SiteWriteOutcome::AllDone() const {
    return !Stopped && std::all_of(Panels.begin(), Panels.end(), [](const SitePanelWrite& p) {
        return p.Step == SiteWriteStep::Done;
    });
}

const char* SiteWriteStepName(SiteWriteStep step) {
    switch (step) {
        case SiteWriteStep::Done:
            return "done";
        case SiteWriteStep::Failed:
            return "failed";
        case SiteWriteStep::NotStarted:
            return "not started";
    }
    return "not started";
}

SiteWriteOutcome WriteSite(const std::vector<SiteWriteTarget>& targets,
                           const SiteWriteRequest& request, PanelExchange& exchange,
                           OperationHost& host) {
    SiteWriteOutcome outcome;
    bool ended = false;
    for (const SiteWriteTarget& target : targets) {
        SitePanelWrite panel;
        panel.Address = target.Row.Address;
        panel.File = target.Row.File;
        if (!ended && Stopped(request)) outcome.Stopped = ended = true;
        if (!ended) {
            if (request.Starting) request.Starting(target);
            WriteOne(target, request, exchange, host, panel);
            ended = panel.Step == SiteWriteStep::Failed;
            if (Stopped(request)) outcome.Stopped = ended = true;
        }
        outcome.Panels.push_back(panel);
    }
    return outcome;
}

}  // namespace kvtk
