#pragma once
// A laid-out report as plain text: every line indented to its column and
// ended by a line feed, a form feed between pages. Emphasis is not shown.

#include <string>
#include <vector>

#include "report/report_layout.h"

namespace kvtk {

std::string RenderReportText(const ReportLayout& layout);

// One page's lines as text, without line ends (for tests and previews).
std::vector<std::string> PageTextLines(const ReportPage& page);

}  // namespace kvtk
