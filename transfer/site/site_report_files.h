#pragma once
// The files of a site loaded for its report, each for the product it was
// saved for, as `kvtk-cli report` prints a file.

#include <string>
#include <vector>

#include "model/site.h"
#include "report/site_report.h"

namespace kvtk {

// In the files' order; on the first file that cannot be loaded, nothing and
// `failure` names it with the reason.
std::vector<SiteReportFile> LoadSiteReportFiles(const SiteFiles& files, const ReportMoment& at,
                                                std::string& failure);

}  // namespace kvtk
