#pragma once
// A write as both front ends run it: a backup of the panel first (unless
// not wanted), the write and save, and a read-back check when asked for.
// One outcome says how far it came; the front ends show it in their way.

#include <functional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/commissioning/panel_backup.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/operation_host.h"
#include "transfer/operations/panel_snapshot.h"
#include "transfer/operations/write_configuration.h"

namespace kvtk {

// A write as both front ends run it. `Options.ChangesOnly` needs the
// panel's values: the backup's read gives them, and without a backup the
// panel is read first all the same.
struct CommissionedWriteRequest {
    WriteOptions Options;
    bool Backup = true;
    BackupRequest BackupTo;
    bool Verify = false;
    // After the backup attempt, saved or not: true lets the write go on
    // (e.g. the user accepts a change without a backup). Without it only a
    // saved backup lets the write go on.
    std::function<bool(const BackupOutcome&)> AcceptBackup;
    // After a read before the write (a backup or changes only), with what
    // differs between the panel and the configuration: true goes on. Not
    // asked when the read was stopped, as nothing could be compared.
    std::function<bool(const std::vector<ConfigDifference>&)> ConfirmDifferences;
    // After a saved write, before any check.
    std::function<void(const WriteOutcome&)> Written;
    // Checked after a saved write, before the check: true skips it.
    std::function<bool()> StopRequested;
};

enum class CommissionedWriteResult {
    NotBackedUp,         // the backup was not accepted: nothing was sent
    NotRead,             // changes only, and the read before it was stopped: nothing was sent
    NotConfirmed,        // the differences were not accepted: nothing was sent
    NothingToChange,     // changes only, and the panel holds every value: nothing was sent
    WriteStopped,        // the write was cancelled: nothing saved
    Saved,               // written and saved; no check asked for
    CheckSkipped,        // written and saved; stopped before the check
    Verified,            // the read-back holds what was written
    ReadBackIncomplete,  // the read-back was aborted or skipped registers
    Differs,             // the read-back differs from what was written
};

struct CommissionedWriteOutcome {
    CommissionedWriteResult Result = CommissionedWriteResult::NotBackedUp;
    BackupOutcome Backup;  // when one was asked for
    // What differed before the write, when the panel was read first.
    bool Compared = false;
    std::vector<ConfigDifference> Differences;
    WriteOutcome Write;
    WriteCheck Check;  // after Verified, ReadBackIncomplete and Differs
};

CommissionedWriteOutcome CommissionedWrite(const Configuration& config,
                                           const CommissionedWriteRequest& request,
                                           PanelExchange& exchange, OperationHost& host);

inline constexpr const char* kNothingToChangeText =
    "Nothing to change: the device holds every value; nothing was sent.";

inline constexpr const char* kReadBackIncompleteText =
    "The read-back was not complete; the write is not verified.";

}  // namespace kvtk
