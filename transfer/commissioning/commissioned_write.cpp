#include "transfer/commissioning/commissioned_write.h"

namespace kvtk {

CommissionedWriteOutcome CommissionedWrite(const Configuration& config,
                                           const CommissionedWriteRequest& request,
                                           PanelExchange& exchange, OperationHost& host) {
    using R = CommissionedWriteResult;
    CommissionedWriteOutcome outcome;
    if (request.Backup) {
        outcome.Backup = BackupPanel(config, exchange, host, request.BackupTo);
        const bool accepted =
            request.AcceptBackup ? request.AcceptBackup(outcome.Backup) : outcome.Backup.Saved;
        if (!accepted) return outcome;
    }
    outcome.Write = WriteConfiguration(config, request.Options, exchange, host);
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
