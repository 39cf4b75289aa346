#pragma once
// The first page of a site's report: the site's folder, when it was
// printed, and a table of every address with its state, then the files
// that could not be read. Each file's own report follows it in the print.

#include <string>
#include <vector>

#include "model/site.h"
#include "report/configuration_report.h"
#include "report/report_layout.h"

namespace kvtk {

struct SiteReportRequest {
    std::string Folder;
    std::vector<SitePanel> Rows;
    std::vector<SiteFileProblem> Unreadable;
    ReportMoment PrintedAt;
};

// One file's part of the site's report.
struct SiteReportFile {
    Configuration Config;
    ReportRequest Request;
};

// "Site <folder>     Printed: mm-dd-yyyy hh:mm:ss" heads each page.
ReportResult BuildSiteReport(const SiteReportRequest& request, const PageGrid& grid);

// Appends the pages of `next` to `into`; each report keeps its own "Page N".
void AppendReportPages(ReportLayout& into, ReportLayout next);

}  // namespace kvtk
