#include "report/pdf/report_paper.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

// Which source wins, and what each says, for the paper of a PDF report.
TEST(ReportPaperTest, PrinterThenPapersizeThenTheLocalesCountry) {
    const QPageSize legal(QPageSize::Legal);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale germany(QLocale::German, QLocale::Germany);
    const struct {
        const char* what;
        PaperSources sources;
        QPageSize::PageSizeId expected;
    } cases[] = {
        {"the chosen printer's paper first",
         {legal, "a4", "letter\n", "en_US.UTF-8", us},
         QPageSize::Legal},
        {"PAPERSIZE before the file",
         {{}, "Letter", "a4\n", "de_DE.UTF-8", germany},
         QPageSize::Letter},
        {"/etc/papersize after comments",
         {{}, "", "# the paper\n\n  a4 \n", "en_US.UTF-8", us},
         QPageSize::A4},
        {"an unknown name is passed over",
         {{}, "quarto", "bogus\n", "en_CA.UTF-8", germany},
         QPageSize::Letter},
        {"the locale name's country",
         {{}, "", std::nullopt, "de_AT.UTF-8@euro", us},
         QPageSize::A4},
        {"a Letter country", {{}, "", std::nullopt, "es_MX", germany}, QPageSize::Letter},
        {"C names no country: the system locale",
         {{}, "", std::nullopt, "C.UTF-8", us},
         QPageSize::Letter},
        {"nothing set anywhere", {{}, "", std::nullopt, "", QLocale::c()}, QPageSize::A4},
        {"an invalid printer paper counts as none",
         {QPageSize(), "", "legal", "", us},
         QPageSize::Legal},
    };
    for (const auto& c : cases) EXPECT_EQ(ReportPaper(c.sources).id(), c.expected) << c.what;
}

}  // namespace
}  // namespace kvtk
