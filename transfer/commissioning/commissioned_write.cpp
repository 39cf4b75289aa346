#include "transfer/commissioning/commissioned_write.h"

#include "transfer/commissioning/panel_before_write.h"

namespace kvtk {

CommissionedWriteOutcome CommissionedWrite(const Configuration& config,
                                           const CommissionedWriteRequest& request,
                                           PanelExchange& exchange, OperationHost& host) {
    using R = CommissionedWriteResult;
    CommissionedWriteOutcome outcome;
    const WriteOptions& options = request.Options;
    PanelBeforeWrite before;
    if (request.Backup) {
        // Without a folder the backup fails before reading anything.
        if (!request.BackupTo.Folder.empty())
            before = ReadBeforeWrite(config, options, exchange, host, &request.BackupTo);
        outcome.Backup = KeepBackup(before.Panel, config, request.BackupTo);
        const bool accepted =
            request.AcceptBackup ? request.AcceptBackup(outcome.Backup) : outcome.Backup.Saved;
        if (!accepted) return outcome;
    }
    if (options.ChangesOnly && options.AnyChosen() && !before.Read)
        before = ReadBeforeWrite(config, options, exchange, host);
    if (options.ChangesOnly && before.Panel.Aborted) {
        outcome.Result = R::NotRead;
        return outcome;
    }
    outcome.Compared = before.Read && !before.Panel.Aborted;
    outcome.Differences = before.Differences;
    if (outcome.Compared && request.ConfirmDifferences &&
        !request.ConfirmDifferences(outcome.Differences)) {
        outcome.Result = R::NotConfirmed;
        return outcome;
    }
    outcome.Write = WriteConfiguration(config, options, exchange, host, &before.Registers);
    if (outcome.Write.Result == WriteResult::NothingToChange) {
        outcome.Result = R::NothingToChange;
        return outcome;
    }
    if (outcome.Write.Result != WriteResult::Saved) {
        outcome.Result = R::WriteStopped;
        return outcome;
    }
    if (request.Written) request.Written(outcome.Write);
    if (!request.Verify) {
        outcome.Result = R::Saved;
        return outcome;
    }
    if (request.StopRequested && request.StopRequested()) {
        outcome.Result = R::CheckSkipped;
        return outcome;
    }
    outcome.Check = CheckWrite(config, request.Options, outcome.Write, exchange, host);
    outcome.Result = outcome.Check.Verified()      ? R::Verified
                     : !outcome.Check.ReadComplete ? R::ReadBackIncomplete
                                                   : R::Differs;
    return outcome;
}

}  // namespace kvtk
