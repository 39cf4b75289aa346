#include "report/page_grid.h"

#include <gmock/gmock.h>

#include <limits>
#include <tuple>

namespace kvtk {
namespace {

TEST(PageGridTest, MarginsCentreWholeTensWithTiesToEven) {
    const struct {
        int Columns, Lines, ReportWidth, LeftMargin, LinesPerPage, TopMargin;
    } cases[] = {
        {87, 66, 80, 4, 60, 3},  // 3.5 rounds up to 4
        {85, 65, 80, 2, 60, 2},  // 2.5 rounds down to 2
        {89, 69, 80, 4, 60, 4},  // 4.5 rounds down to 4
        {93, 71, 90, 2, 70, 0},  // 1.5 rounds up to 2
    };
    for (const auto& c : cases) {
        const PageGrid g = GridFromCharacters(c.Columns, c.Lines);
        EXPECT_EQ(std::tuple(g.ReportWidth, g.LeftMargin, g.LinesPerPage, g.TopMargin),
                  std::tuple(c.ReportWidth, c.LeftMargin, c.LinesPerPage, c.TopMargin))
            << c.Columns << " x " << c.Lines;
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
    EXPECT_EQ(PageGridProblem(GridFromCharacters(60, 10)), "");
    EXPECT_THAT(PageGridProblem(GridFromCharacters(59, 66)),
                ::testing::HasSubstr("The page is too small for the report"));
    EXPECT_THAT(PageGridProblem(GridFromCharacters(87, 9)), ::testing::HasSubstr("9 lines down"));
    EXPECT_NE(PageGridProblem(GridFromPageSize(9600, 12000, 0, 170)), "");
    EXPECT_NE(PageGridProblem(GridFromPageSize(nan, 12000, 100, 170)), "");
    EXPECT_THAT(PageGridProblem(GridFromPageSize(1e12, 12000, 1, 170)),
                ::testing::HasSubstr("not usable"));
    EXPECT_NE(PageGridProblem(GridFromCharacters(-5, -5)), "");
}

}  // namespace
}  // namespace kvtk
