#pragma once
// Fills pages line by line: page headers, the line counter, the wrapping of
// lines too long for the report width and the guard that no line is placed
// below the last line of a page. Used by the report builders.

#include <string>
#include <vector>

#include "report/report_layout.h"

namespace kvtk {

class PageWriter {
public:
    PageWriter(const PageGrid& grid, std::string headerText);

    // Ends the current page first when asked (and when there is one), then
    // the top margin, a rule, the header with "Page N", a rule and an empty
    // line; the line counter becomes 4.
    void PrintPageHeader(bool newPage);

    // Lines printed on the current page below the top margin.
    int LineCounter() const { return counter_; }
    const PageGrid& Grid() const { return grid_; }
    const std::string& HeaderText() const { return layout_.HeaderText; }

    // The printed lines a line takes: itself when it ends within the report
    // width, else pieces broken at blanks, continued 4 columns further in.
    std::vector<ReportLine> Wrap(const ReportLine& line) const;

    // Prints a line (wrapped as above); a piece that would fall below the
    // last line of the page goes on a new page after its header.
    void Print(const ReportLine& line);
    void PrintEmpty();
    // A rule of ReportWidth hyphens at the left margin.
    void PrintRule();

    // Starts a new page when `lineCount` more lines do not fit on this one.
    void KeepTogether(int lineCount);

    ReportLayout Finish() &&;

private:
    void Place(ReportLine line);

    PageGrid grid_;
    ReportLayout layout_;
    int counter_ = 0;
};

// Helpers to build lines with emphasis.
ReportLine PlainLine(int column, std::string text);
// Appends text to a line, emphasised or not.
void Append(ReportLine& line, const std::string& text, bool emphasised = false);

}  // namespace kvtk
