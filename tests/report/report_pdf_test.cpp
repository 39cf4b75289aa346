#include <gmock/gmock.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sstream>

#include "report/pdf/report_painter.h"
#include "report/pdf/windows1252.h"
#include "report/text_renderer.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// The lines that hold text, without blanks or form feeds at either end, and
// without the left margin all of them share.
std::vector<std::string> ContentLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    size_t indent = std::string::npos;
    for (std::string line; std::getline(in, line);) {
        line.erase(0, line.find_first_not_of('\f'));
        line.erase(line.find_last_not_of(" \f") + 1);
        if (line.empty()) continue;
        indent = std::min(indent, line.find_first_not_of(' '));
        lines.push_back(line);
    }
    for (auto& line : lines) line.erase(0, indent);
    return lines;
}

TEST(ReportPdfTest, PdfTextMatchesTheLaidOutReportColumnForColumn) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the PDF text is not checked";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    Configuration config = test::ConfigFor("KV-4800", "4.00");
    config.Inputs[2].Name =
        "Caf\xE9 \x80"
        "5";  // Windows-1252 text
    for (int k = 1; k <= 8; ++k) config.Groups[1].SetMember(k, true);
    const ReportRequest request{{}, 3, {2026, 12, 3, 14, 5, 9}};
    const ReportPdfOptions options;
    ASSERT_EQ(WriteReportPdf(pdf, config, request, options).toStdString(), "");

    QBuffer buffer;  // a PDF writer set up the way the report's own is
    QPdfWriter printer(&buffer);
    SetUpPdfWriter(printer, options);
    const QFont font = ReportFont(options.PointSize);
    const ReportResult expected =
        BuildConfigurationReport(config, request, MeasurePageGrid(printer, font));
    ASSERT_TRUE(expected.Layout.has_value());
    const double pitchPoints = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('M')) *
                               72.0 / printer.resolution();

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-fixed"), QString::number(pitchPoints, 'f', 4), pdf,
                              QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const std::string text = process.readAllStandardOutput().toStdString();

    const std::string want =
        FromWindows1252(RenderReportText(*expected.Layout)).toUtf8().toStdString();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'),
              static_cast<long>(expected.Layout->Pages.size()));
    EXPECT_EQ(ContentLines(text), ContentLines(want));
}

}  // namespace
}  // namespace kvtk
