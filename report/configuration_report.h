#pragma once
// The printed listing of the configuration in memory: a header on every
// page, where the data came from, the panel-wide values, one line per input
// and one or more lines per group, laid out on a page grid.

#include <ctime>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "report/report_layout.h"

namespace kvtk {

// The moment the report is printed, local time.
struct ReportMoment {
    int Year = 2000;
    int Month = 1;  // 1..12
    int Day = 1;    // 1..31
    int Hour = 0;   // 0..23
    int Minute = 0;
    int Second = 0;
};
ReportMoment LocalReportMoment(std::time_t when);

// Where the data came from: the file of the last accepted open or save
// dialog, with the date, time and description its information panel showed.
struct ReportOrigin {
    bool FromFile = false;  // false: "Data is not from a saved file."
    std::string FileName;
    std::string Date;
    std::string Time;
    std::string Description;
};

struct ReportRequest {
    ReportOrigin Origin;
    int GroupCount = 0;  // the print dialog's number of groups to print
    ReportMoment PrintedAt;
};

// model + " " + version + " data     Printed: " + mm-dd-yyyy + " " + hh:mm:ss
std::string ReportHeaderText(const ProductIdentity& identity, const ReportMoment& moment);

struct ReportResult {
    std::optional<ReportLayout> Layout;
    std::string Error;  // set when there is no layout
};

// Lays the report out on `grid`; fails only when the grid is unusable.
ReportResult BuildConfigurationReport(const Configuration& config, const ReportRequest& request,
                                      const PageGrid& grid);

}  // namespace kvtk
