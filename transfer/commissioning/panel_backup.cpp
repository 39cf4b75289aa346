#include "transfer/commissioning/panel_backup.h"

#include "files/backup_store.h"
#include "files/config_writer.h"
#include "model/products.h"
#include "transfer/operations/operation_support.h"

namespace kvtk {

namespace {

constexpr const char* kNoFolderText = "No folder for backups is known (HOME is not set).";

}  // namespace

PanelSnapshot ReadForBackup(const Configuration& like, PanelExchange& exchange, OperationHost& host,
                            const BackupRequest& request) {
    SnapshotProgress progress;
    if (request.ShowProgress)
        progress = [&host](int done, int total) {
            host.ShowStatusLine("Backing up the device... register " + std::to_string(done) +
                                    " of " + std::to_string(total),
                                LineTone::Unchanged);
        };
    return ReadPanelSnapshot(like, exchange, host, "Backup", progress);
}

BackupOutcome KeepBackup(const PanelSnapshot& panel, const Configuration& like,
                         const BackupRequest& request) {
    BackupOutcome outcome;
    if (request.Folder.empty()) {
        outcome.Failure = kNoFolderText;
        return outcome;
    }
    if (panel.Aborted) {
        outcome.Failure = "The backup read was stopped.";
        return outcome;
    }
    if (panel.Skipped > 0) {
        outcome.Failure = "The backup read skipped " + std::to_string(panel.Skipped) + " register" +
                          (panel.Skipped == 1 ? "" : "s") + ".";
        return outcome;
    }
    const std::string text =
        ConfigFileText(panel.Config, LocalFileStamp(request.When, request.Description));
    if (!ConfigTextOpens(text)) {
        outcome.Failure = "The device's identity \"" + StatusText(like.Identity) +
                          "\" is not one a backup file can hold.";
        return outcome;
    }
    const std::string name = BackupFileName(request.When, PanelAddress(like), like.Identity.Model);
    const BackupSave saved = SaveNewBackup(request.Folder, name, text);
    if (!saved.Result.Ok()) {
        std::string reason = saved.Result.Message;
        for (char& c : reason)
            if (c == '\r' || c == '\n') c = ' ';
        outcome.Failure = "The backup could not be saved in " + request.Folder + ": " + reason;
        return outcome;
    }
    outcome.Saved = true;
    outcome.Path = saved.Path;
    return outcome;
}

BackupOutcome BackupPanel(const Configuration& like, PanelExchange& exchange, OperationHost& host,
                          const BackupRequest& request) {
    // Without a folder there is nothing to read for.
    if (request.Folder.empty()) return KeepBackup({}, like, request);
    return KeepBackup(ReadForBackup(like, exchange, host, request), like, request);
}

std::string BackupFailedQuestion(const BackupOutcome& outcome) {
    return outcome.Failure + "\nNo backup of the device's configuration was made.\n\n" +
           "Change the device anyway?";
}

}  // namespace kvtk
