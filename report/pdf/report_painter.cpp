#include "report/pdf/report_painter.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "files/safe_save.h"
#include "report/pdf/windows1252.h"

namespace kvtk {
namespace {

struct Pitch {
    qreal CharWidth = 0;
    qreal LineHeight = 0;
    qreal Ascent = 0;
};

Pitch MeasurePitch(QPagedPaintDevice& device, const QFont& font) {
    const QFontMetricsF metrics(font, &device);
    return {metrics.horizontalAdvance(QLatin1Char('M')), metrics.height(), metrics.ascent()};
}

// Draws one line piece by piece, each piece at its own column, so bold and
// regular text stay on the character grid whatever their advances are.
void PaintLine(QPainter& painter, const QFont& regular, const QFont& bold, const Pitch& pitch,
               const ReportLine& line, qreal baseline) {
    const int length = static_cast<int>(line.Text.size());
    int at = 0;
    auto paint = [&](int from, int to, const QFont& font) {
        if (to <= from) return;
        painter.setFont(font);
        const std::string piece =
            line.Text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
        painter.drawText(QPointF((line.Column + from) * pitch.CharWidth, baseline),
                         FromWindows1252(piece));
    };
    for (const EmphasisRun& run : line.Emphasis) {
        const int start = std::clamp(run.Start, at, length);
        const int end = std::clamp(run.Start + run.Length, start, length);
        paint(at, start, regular);
        paint(start, end, bold);
        at = end;
    }
    paint(at, length, regular);
}

}  // namespace

QFont ReportFont(qreal pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}

PageGrid MeasurePageGrid(QPagedPaintDevice& device, const QFont& font) {
    const Pitch pitch = MeasurePitch(device, font);
    return GridFromPageSize(device.width(), device.height(), pitch.CharWidth, pitch.LineHeight);
}

QString PaintReport(QPagedPaintDevice& device, const QFont& font, const ReportLayout& layout) {
    const Pitch pitch = MeasurePitch(device, font);
    QFont bold = font;
    bold.setBold(true);
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("The report could not be started on the printer or file.");
    for (size_t p = 0; p < layout.Pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            return QStringLiteral("The printer refused a new page of the report.");
        }
        const auto& lines = layout.Pages[p].Lines;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].Text.empty()) continue;
            const qreal baseline = static_cast<qreal>(i) * pitch.LineHeight + pitch.Ascent;
            PaintLine(painter, font, bold, pitch, lines[i], baseline);
        }
    }
    if (!painter.end()) return QStringLiteral("The report could not be finished on the printer.");
    return {};
}

QString PrintConfigurationReport(QPagedPaintDevice& device, const QFont& font,
                                 const Configuration& config, const ReportRequest& request) {
    const ReportResult result =
        BuildConfigurationReport(config, request, MeasurePageGrid(device, font));
    if (!result.Layout) return QString::fromStdString(result.Error);
    return PaintReport(device, font, *result.Layout);
}

void SetUpPdfWriter(QPdfWriter& writer, const ReportPdfOptions& options) {
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(options.PageSize, options.Orientation, options.MarginsMm,
                                     QPageLayout::Millimeter));
}

QString RenderReportPdf(QByteArray& pdf, const Configuration& config, const ReportRequest& request,
                        const ReportPdfOptions& options) {
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    SetUpPdfWriter(writer, options);
    return PrintConfigurationReport(writer, ReportFont(options.PointSize), config, request);
}

QString WriteReportPdf(const QString& fileName, const Configuration& config,
                       const ReportRequest& request, const ReportPdfOptions& options) {
    // The whole document is made in memory first, so a failing disk never
    // leaves half a report, nor costs the report saved before.
    QByteArray pdf;
    const QString error = RenderReportPdf(pdf, config, request, options);
    if (!error.isEmpty()) return error;
    const FileResult saved = SaveFileAtomically(QFile::encodeName(fileName).toStdString(),
                                                std::string_view(pdf.constData(), pdf.size()));
    if (saved.Ok()) return {};
    return QString::fromLocal8Bit(saved.Message).trimmed();
}

}  // namespace kvtk
