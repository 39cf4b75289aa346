#include "report/page_grid.h"

#include <gmock/gmock.h>

#include <limits>

namespace kvtk {
namespace {

struct GridCase {
    int Columns;
    int Lines;
    int ReportWidth;
    int LeftMargin;
    int LinesPerPage;
    int TopMargin;
};

TEST(PageGridTest, MarginsCentreWholeTensWithTiesToEven) {
    const GridCase cases[] = {
        {87, 66, 80, 4, 60, 3},                          // 3.5 rounds up to 4
        {85, 65, 80, 2, 60, 2},                          // 2.5 rounds down to 2
        {80, 60, 80, 0, 60, 0}, {89, 69, 80, 4, 60, 4},  // 4.5 rounds down to 4
        {81, 61, 80, 0, 60, 0},                          // 0.5 rounds down to 0
        {93, 71, 90, 2, 70, 0},                          // 1.5 rounds up to 2
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Columns << " x " << c.Lines);
        const PageGrid grid = GridFromCharacters(c.Columns, c.Lines);
        EXPECT_EQ(grid.ReportWidth, c.ReportWidth);
        EXPECT_EQ(grid.LeftMargin, c.LeftMargin);
        EXPECT_EQ(grid.LinesPerPage, c.LinesPerPage);
        EXPECT_EQ(grid.TopMargin, c.TopMargin);
    }
}

TEST(PageGridTest, PageSizeDividedByTheLetterMRoundsToWholeCharacters) {
    // 8 inches at 1200 dpi in 10-point type of 6-point advance: 9600 / 100 = 96 columns.
    PageGrid grid = GridFromPageSize(9600, 12000, 100, 170.4);
    EXPECT_EQ(grid.Columns, 96);
    EXPECT_EQ(grid.Lines, 70);                     // 70.42 rounds down
    grid = GridFromPageSize(8650, 1000, 100, 10);  // 86.5 rounds to even 86
    EXPECT_EQ(grid.Columns, 86);
}

TEST(PageGridTest, UnusableSizesAreReportedInWords) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(PageGridProblem(GridFromCharacters(87, 66)), "");
    EXPECT_EQ(PageGridProblem(GridFromCharacters(60, 10)), "");
    EXPECT_THAT(PageGridProblem(GridFromCharacters(59, 66)),
                ::testing::HasSubstr("The page is too small for the report"));
    EXPECT_THAT(PageGridProblem(GridFromCharacters(87, 9)), ::testing::HasSubstr("9 lines down"));
    EXPECT_NE(PageGridProblem(GridFromPageSize(9600, 12000, 0, 170)), "");
    EXPECT_NE(PageGridProblem(GridFromPageSize(nan, 12000, 100, 170)), "");
    EXPECT_NE(PageGridProblem(GridFromPageSize(inf, 12000, 100, 170)), "");
    EXPECT_THAT(PageGridProblem(GridFromPageSize(1e12, 12000, 1, 170)),
                ::testing::HasSubstr("not usable"));
    EXPECT_NE(PageGridProblem(GridFromCharacters(-5, -5)), "");
}

}  // namespace
}  // namespace kvtk
