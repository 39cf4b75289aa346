#pragma once
// Surveying a site: which panels answer on the line, which file belongs to
// each, and whether each panel holds its file's values. The scan and the
// comparison are separate steps (the Site window offers each on its own);
// SurveySite runs both, as `kvtk-cli site status` does.

#include <functional>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "model/site.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

struct SiteSurveyCallbacks {
    // Checked before every address and every panel; true ends the survey
    // there, leaving what is not done yet "unread".
    std::function<bool()> StopRequested;
    std::function<void(int address)> ScanningAddress;
    std::function<void(const SitePanel& row)> ComparingPanel;  // before its read
};

// The configuration a panel at `address` with this identity is reached by.
Configuration SitePanelConfiguration(int address, const ProductIdentity& identity);

// One row per address where a panel answers or a file names it, in rising
// address order. Quick: the scan makes one short try per address (as `scan
// --quick`), so a panel slower than that wait shows as "no-panel"; the
// plain scan is the thorough one. Panels found with a compatible file are
// left "unread" for CompareSitePanel.
std::vector<SitePanel> ScanSite(const SiteFiles& files, PanelExchange& exchange, bool quick,
                                const SiteSurveyCallbacks& callbacks = {});

// Reads the panel of an "unread" row (or one compared before) and compares
// it with its file: "same", "differs" with the count, "garbled" when its
// replies failed their checksums, else "unread" (the read was stopped).
// Rows without a panel, a file or a matching product are left as they are.
void CompareSitePanel(SitePanel& row, const SiteFile& file, PanelExchange& exchange,
                      OperationHost& host, std::vector<ConfigDifference>* differences = nullptr);

std::vector<SitePanel> SurveySite(const SiteFiles& files, PanelExchange& exchange,
                                  OperationHost& host, bool quick,
                                  const SiteSurveyCallbacks& callbacks = {});

// Whether the row's panel can be compared with or written from its file.
bool Comparable(const SitePanel& row);

}  // namespace kvtk
