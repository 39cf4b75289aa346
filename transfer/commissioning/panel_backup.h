#pragma once
// The backup taken before a command changes a panel (a write, an address
// change) and by `kvtk-cli backup-all`: the panel's configuration is read
// into a configuration of its own and kept as a new .kvx file named by
// date, time, address and product. A backup is only good when every
// register was read and the file was written.

#include <ctime>
#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"
#include "transfer/operations/panel_snapshot.h"

namespace kvtk {

struct BackupRequest {
    std::string Folder;       // DefaultBackupFolder() unless chosen
    std::string Description;  // the file header's description
    std::time_t When = 0;     // names and stamps the file
    // "Backing up the device... register n of N" on the host's status line
    // before each register (a dialog waiting for the backup shows it).
    bool ShowProgress = false;
};

struct BackupOutcome {
    bool Saved = false;
    std::string Path;     // the backup file, when saved
    std::string Failure;  // why there is no backup, in words
};

// Reads the panel `like` is connected to and saves it. Descriptions in the
// port window start with "Backup: ".
BackupOutcome BackupPanel(const Configuration& like, PanelExchange& exchange, OperationHost& host,
                          const BackupRequest& request);

// The two halves of BackupPanel, for a caller that also needs what was
// read: the read (its progress as asked for) and keeping it as the file.
PanelSnapshot ReadForBackup(const Configuration& like, PanelExchange& exchange, OperationHost& host,
                            const BackupRequest& request);
BackupOutcome KeepBackup(const PanelSnapshot& panel, const Configuration& like,
                         const BackupRequest& request);

// The question asked when the backup failed: go on without one?
inline constexpr const char* kBackupFailedTitle = "Backup failed";
std::string BackupFailedQuestion(const BackupOutcome& outcome);

}  // namespace kvtk
