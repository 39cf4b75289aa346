#pragma once
// The site's report as one PDF file: the table of states first, then the
// report of each file, all or nothing on disk. A QGuiApplication must exist.

#include <QString>
#include <vector>

#include "report/pdf/report_painter.h"
#include "report/site_report.h"

namespace kvtk {

// Empty on success, else the reason in words.
QString WriteSiteReportPdf(const QString& fileName, const SiteReportRequest& site,
                           const std::vector<SiteReportFile>& files,
                           const ReportPdfOptions& options = {});

}  // namespace kvtk
