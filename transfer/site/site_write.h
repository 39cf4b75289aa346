#pragma once
// Writing a site: each chosen panel from its file, one after another, each
// with its backup first, the write and save, and the check when asked for
// (CommissionedWrite). The first panel that fails ends the run: a fault on
// the line or in a file is looked at before it reaches more panels.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "model/panel_exchange.h"
#include "model/site.h"
#include "transfer/commissioning/commissioned_write.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

// A panel to write: its row of the survey (a panel, a compatible file).
struct SiteWriteTarget {
    SitePanel Row;
    std::string FilePath;
};

struct SiteWriteRequest {
    bool Verify = false;
    // Write only the values that differ from the panel.
    bool ChangesOnly = false;
    std::string BackupFolder;             // the backup store unless chosen
    std::time_t When = 0;                 // names and stamps the backups
    std::function<bool()> StopRequested;  // checked before each panel and the check
    std::function<void(const SiteWriteTarget&)> Starting;
};

enum class SiteWriteStep { Done, Failed, NotStarted };

struct SitePanelWrite {
    int Address = 0;
    std::string File;
    SiteWriteStep Step = SiteWriteStep::NotStarted;
    std::string Why;  // why it failed, in words
    std::string BackupPath;
    std::vector<ConfigDifference> Differences;  // a check that found the write not held
};

struct SiteWriteOutcome {
    std::vector<SitePanelWrite> Panels;  // one per target, in order
    bool Stopped = false;                // a stop request ended the run
    bool AllDone() const;
};

// Every target in order until one fails or a stop is requested; the rest
// are "not started".
SiteWriteOutcome WriteSite(const std::vector<SiteWriteTarget>& targets,
                           const SiteWriteRequest& request, PanelExchange& exchange,
                           OperationHost& host);

const char* SiteWriteStepName(SiteWriteStep step);  // "done", "failed", "not started"

}  // namespace kvtk
