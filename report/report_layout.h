#pragma once
// A laid-out report: pages of text lines on the character grid, ready for
// any renderer (plain text, PDF, a printer, a preview).

#include <string>
#include <vector>

#include "report/page_grid.h"

namespace kvtk {

// Characters [Start, Start + Length) of a line's text are emphasised.
struct EmphasisRun {
    int Start = 0;
    int Length = 0;
    bool operator==(const EmphasisRun&) const = default;
};

// One printed line: its text starts at Column (0 = the page's left edge).
// An empty line has no text. Text is 8-bit (Windows-1252).
struct ReportLine {
    int Column = 0;
    std::string Text;
    std::vector<EmphasisRun> Emphasis;
};

// The lines of one page from its top, top-margin blank lines included.
struct ReportPage {
    int Number = 1;
    std::vector<ReportLine> Lines;
};

struct ReportLayout {
    PageGrid Grid;
    std::string HeaderText;
    std::vector<ReportPage> Pages;
};

}  // namespace kvtk
