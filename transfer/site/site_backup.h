#pragma once
// A backup of every panel of a site, each read into a new file of the
// backup store, as `kvtk-cli backup-all` keeps them.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "model/panel_exchange.h"
#include "model/site.h"
#include "transfer/commissioning/panel_backup.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

struct SitePanelBackup {
    int Address = 0;
    std::string Status;  // "KV-4800 Version 4.00"
    bool Started = false;
    BackupOutcome Backup;
};

struct SiteBackupRequest {
    std::string Folder;  // the backup store unless chosen
    std::time_t When = 0;
    std::function<bool()> StopRequested;  // checked before each panel
    std::function<void(const SitePanel&)> Starting;
};

// One backup per row with a panel, in the rows' order; a failed backup does
// not end the run (it changes nothing on the panel).
std::vector<SitePanelBackup> BackUpSite(const std::vector<SitePanel>& rows,
                                        const SiteBackupRequest& request, PanelExchange& exchange,
                                        OperationHost& host);

// The newest backup of the panel at `address` in `folder` (the file name,
// which starts with its date and time); empty when there is none.
std::string LastBackupOf(const std::string& folder, int address);

}  // namespace kvtk
