#pragma once
// The safety net around the Device commands: the backup before a write or
// an address change (with the question when it fails), the check after a
// write, and "Compare With File...". The results are shown in the compare
// window; the backup goes to the data folder unless another is set.

#include <QPointer>
#include <QString>

#include "transfer/commissioning/commissioned_write.h"
#include "transfer/commissioning/panel_backup.h"
#include "transfer/operations/panel_snapshot.h"
#include "transfer/operations/write_configuration.h"
#include "ui/device/frmCompare.h"

namespace kvtk {

class GuiOperationHost;
class PanelExchange;
class MainWindowAccess;

class CommissioningSteps {
public:
    CommissioningSteps(MainWindowAccess& window, GuiOperationHost& host);

    void SetBackupFolder(const QString& folder) { backupFolder_ = folder; }
    const QString& BackupFolder() const { return backupFolder_; }

    // Reads and keeps a backup of the connected panel. True when the change
    // may go on: the backup was saved, or the user chose to go on without.
    bool BackUpBeforeChange(PanelExchange& exchange, const std::string& description);
    const BackupOutcome& LastBackup() const { return lastBackup_; }
    // Where and how the next backup is kept.
    BackupRequest BackupTo(const std::string& description) const;
    // Says where a backup went; for a failed one asks whether to go on
    // without. True when the change may go on.
    bool AcceptBackup(const BackupOutcome& backup);

    // Before a write, after its read: the values that differ in the compare
    // window's form and the question to go on. True goes on. A write of the
    // changes only with nothing differing goes on without asking.
    bool ConfirmChanges(const std::vector<ConfigDifference>& list, bool changesOnly);

    // The check after a write: "verified" in a message, or the differences
    // in the compare window. Nothing when no check ran.
    void ShowCheck(const CommissionedWriteOutcome& outcome);

    // Device > "Compare With File...": asks for a file, reads the panel and
    // lists the differences.
    void CompareWithFile(PanelExchange& exchange);
    // The same comparison with a file already chosen.
    void CompareWithFileAt(PanelExchange& exchange, const QString& fileName);

    // The compare window last shown (null when none is open).
    frmCompare* CompareWindow() const { return compare_; }

private:
    frmCompare& OpenList(const QString& title);
    void ShowList(const QString& title, const QString& summary,
                  const std::vector<ConfigDifference>& list);

    MainWindowAccess& window_;
    GuiOperationHost& host_;
    QString backupFolder_;
    BackupOutcome lastBackup_;
    QPointer<frmCompare> compare_;
};

}  // namespace kvtk
