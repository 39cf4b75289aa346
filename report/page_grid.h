#pragma once
// The character grid a report is laid out on: how many characters fit
// across the printable page and how many lines fit down it, and the
// margins that centre a line width and a page length that are whole tens.

#include <string>

namespace kvtk {

struct PageGrid {
    int Columns = 0;       // characters across the printable page
    int Lines = 0;         // lines down the printable page
    int ReportWidth = 0;   // Columns rounded down to a multiple of 10
    int LeftMargin = 0;    // (Columns mod 10) / 2, ties to even: where every line starts
    int LinesPerPage = 0;  // Lines rounded down to a multiple of 10
    int TopMargin = 0;     // (Lines mod 10) / 2, ties to even: blank lines on top of a page
};

// The smallest grid a report is laid out on: the page header (product,
// version, date, time and "Page N") and a group with its member lines need
// at least this much room.
inline constexpr int kMinReportWidth = 60;
inline constexpr int kMinLinesPerPage = 10;
// A larger grid means the page or character size was misreported.
inline constexpr int kMaxReportWidth = 1000;
inline constexpr int kMaxLinesPerPage = 1000;

// Grid of a page that holds `columns` characters and `lines` lines.
PageGrid GridFromCharacters(int columns, int lines);

// Grid of a printable page measured in any one unit, with the width and
// height of the letter "M" in the same unit. Sizes that are not positive
// or not finite give a grid of 0 columns or 0 lines.
PageGrid GridFromPageSize(double pageWidth, double pageHeight, double charWidth, double charHeight);

// Empty when a report can be laid out on the grid, else the reason in words.
std::string PageGridProblem(const PageGrid& grid);

}  // namespace kvtk
