#include "transfer/site/site_report_files.h"

#include "files/file_header.h"
#include "model/products.h"
#include "transfer/commissioning/file_comparison.h"

namespace kvtk {

std::vector<SiteReportFile> LoadSiteReportFiles(const SiteFiles& files, const ReportMoment& at,
                                                std::string& failure) {
    std::vector<SiteReportFile> reports;
    for (const SiteFile& file : files.Files) {
        SiteReportFile report;
        ApplyIdentity(report.Config, {file.Model, file.Version});
        const FileResult loaded = LoadFileForDevice(file.Path, report.Config);
        if (!loaded.Ok()) {
            failure = file.Name + ": " +
                      (loaded.Message.empty() ? "the file could not be read." : loaded.Message);
            return {};
        }
        const HeaderReadResult header = ReadHeader(file.Path);
        report.Request.Origin = {true, file.Name, header.View.Date, header.View.Time,
                                 header.View.Description};
        report.Request.GroupCount = report.Config.Limits.MaxGroups;
        report.Request.PrintedAt = at;
        reports.push_back(std::move(report));
    }
    return reports;
}

}  // namespace kvtk
