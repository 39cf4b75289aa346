#include "report/site_report.h"

#include <gtest/gtest.h>

#include "report/text_renderer.h"

namespace kvtk {
namespace {

// The first page names the site and lists every address with its state,
// the panel, the file and the count of differences, then unreadable files.
TEST(SiteReport, FirstPageIsTheTableOfStates) {
    SiteReportRequest request;
    request.Folder = "/sites/hall";
    request.PrintedAt = {2026, 12, 7, 9, 5, 0};
    request.Rows = {{1, SiteState::Same, "WQ16", "5.00", "floor.kvx", 0},
                    {2, SiteState::Differs, "KV-4800", "4.00", "hall.kvx", 3},
                    {4, SiteState::NoPanel, "", "", "spare.kvx", 0}};
    request.Unreadable = {{"cut.kvx", "the file is damaged."}};

    const ReportResult report = BuildSiteReport(request, GridFromCharacters(80, 60));

    ASSERT_TRUE(report.Layout) << report.Error;
    ASSERT_EQ(report.Layout->Pages.size(), 1u);
    const std::string text = RenderReportText(*report.Layout);
    for (const char* expected : {
             "Site /sites/hall     Printed: 12-07-2026 09:05:00",
             "Address State           Panel               File                    Differences",
             "1       same            WQ16 5.00           floor.kvx",
             "2       differs         KV-4800 4.00        hall.kvx                3",
             "4       no-panel        -                   spare.kvx",
             "cut.kvx: the file is damaged.",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

}  // namespace
}  // namespace kvtk
