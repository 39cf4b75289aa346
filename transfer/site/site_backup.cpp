#include "transfer/site/site_backup.h"

#include <cstdio>
#include <filesystem>

#include "model/products.h"
#include "transfer/site/site_survey.h"

namespace kvtk {

std::vector<SitePanelBackup> BackUpSite(const std::vector<SitePanel>& rows,
                                        const SiteBackupRequest& request, PanelExchange& exchange,
                                        OperationHost& host) {
    std::vector<SitePanelBackup> backups;
    bool stopped = false;
    for (const SitePanel& row : rows) {
        if (row.Model.empty()) continue;
        SitePanelBackup backup;
        backup.Address = row.Address;
        backup.Status = StatusText({row.Model, row.Version});
        stopped = stopped || (request.StopRequested && request.StopRequested());
        if (!stopped) {
            if (request.Starting) request.Starting(row);
            backup.Started = true;
            backup.Backup = BackupPanel(
                SitePanelConfiguration(row.Address, {row.Model, row.Version}), exchange, host,
                {request.Folder, "Backup of address " + std::to_string(row.Address), request.When});
        }
        backups.push_back(backup);
    }
    return backups;
}

std::string LastBackupOf(const std::string& folder, int address) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "_addr%03d_", address);
    std::string newest;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.find(tag) != std::string::npos && name > newest) newest = name;
    }
    return newest;
}

}  // namespace kvtk
