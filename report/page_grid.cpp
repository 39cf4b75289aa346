#include "report/page_grid.h"

#include <cmath>

#include "model/conversions.h"

namespace kvtk {
namespace {

// Characters (or lines) that fit: the quotient rounded, ties to even.
int CharactersThatFit(double extent, double charExtent) {
    if (!std::isfinite(extent) || !std::isfinite(charExtent) || extent <= 0 || charExtent <= 0)
        return 0;
    return RoundHalfEven(extent / charExtent);
}

}  // namespace

PageGrid GridFromCharacters(int columns, int lines) {
    PageGrid grid;
    grid.Columns = columns < 0 ? 0 : columns;
    grid.Lines = lines < 0 ? 0 : lines;
    grid.ReportWidth = grid.Columns - grid.Columns % 10;
    grid.LeftMargin = RoundHalfEven((grid.Columns % 10) / 2.0);
    grid.LinesPerPage = grid.Lines - grid.Lines % 10;
    grid.TopMargin = RoundHalfEven((grid.Lines % 10) / 2.0);
    return grid;
}

PageGrid GridFromPageSize(double pageWidth, double pageHeight, double charWidth,
                          double charHeight) {
    return GridFromCharacters(CharactersThatFit(pageWidth, charWidth),
                              CharactersThatFit(pageHeight, charHeight));
}

std::string PageGridProblem(const PageGrid& grid) {
    if (grid.ReportWidth > kMaxReportWidth || grid.LinesPerPage > kMaxLinesPerPage)
        return "The page size reported for the report is not usable: " +
               std::to_string(grid.Columns) + " characters across and " +
               std::to_string(grid.Lines) + " lines down.";
    if (grid.ReportWidth >= kMinReportWidth && grid.LinesPerPage >= kMinLinesPerPage) return {};
    return "The page is too small for the report: it holds " + std::to_string(grid.Columns) +
           " characters across and " + std::to_string(grid.Lines) + " lines down; at least " +
           std::to_string(kMinReportWidth) + " characters and " + std::to_string(kMinLinesPerPage) +
           " lines are needed.";
}

}  // namespace kvtk
