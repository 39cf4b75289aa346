#include "report/site_report.h"

#include <cstdio>

#include "report/page_writer.h"

namespace kvtk {
namespace {

std::string Cell(std::string text, size_t width) {
    if (text.size() >= width) text.resize(width > 0 ? width - 1 : 0);
    text.resize(width, ' ');
    return text;
}

std::string Moment(const ReportMoment& m) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d %02d:%02d:%02d", m.Month, m.Day, m.Year,
                  m.Hour, m.Minute, m.Second);
    return text;
}

std::string Dash(const std::string& text) {
    return text.empty() ? "-" : text;
}

}  // namespace

ReportResult BuildSiteReport(const SiteReportRequest& request, const PageGrid& grid) {
    if (const std::string problem = PageGridProblem(grid); !problem.empty()) return {{}, problem};
    PageWriter writer(grid,
                      "Site " + request.Folder + "     Printed: " + Moment(request.PrintedAt));
    const int left = grid.LeftMargin;
    writer.PrintPageHeader(false);
    ReportLine heading = PlainLine(left, {});
    Append(heading,
           Cell("Address", 8) + Cell("State", 16) + Cell("Panel", 20) + Cell("File", 24) +
               "Differences",
           true);
    writer.Print(heading);
    for (const SitePanel& row : request.Rows) {
        const std::string panel = row.Model.empty() ? "-" : row.Model + " " + row.Version;
        writer.Print(PlainLine(
            left, Cell(std::to_string(row.Address), 8) + Cell(SiteStateName(row.State), 16) +
                      Cell(panel, 20) + Cell(Dash(row.File), 24) +
                      (row.State == SiteState::Differs ? std::to_string(row.Differences) : "")));
    }
    if (request.Rows.empty()) writer.Print(PlainLine(left, "No panel and no file."));
    if (!request.Unreadable.empty()) {
        writer.PrintEmpty();
        ReportLine unreadable = PlainLine(left, {});
        Append(unreadable, "Files that cannot be read", true);
        writer.Print(unreadable);
        for (const SiteFileProblem& file : request.Unreadable)
            writer.Print(PlainLine(left, file.Name + ": " + file.Why));
    }
    return {std::move(writer).Finish(), {}};
}

void AppendReportPages(ReportLayout& into, ReportLayout next) {
    for (ReportPage& page : next.Pages) into.Pages.push_back(std::move(page));
}

}  // namespace kvtk
