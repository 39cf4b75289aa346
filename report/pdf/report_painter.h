#pragma once
// Paints a laid-out report on a paged device: a PDF file, the platform's
// printer or a print preview, in a fixed-pitch font with emphasis in bold.
//
// Use: measure the grid on the device, build the layout on that grid, paint
// it. PrintConfigurationReport does all three (e.g. for a QPrintPreviewDialog's
// paintRequested printer); RenderReportPdf does them into a PDF document in
// memory, and WriteReportPdf saves that document as a file.
// A QGuiApplication must exist.

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include "report/configuration_report.h"
#include "report/page_grid.h"
#include "report/report_layout.h"

class QPagedPaintDevice;
class QPdfWriter;

namespace kvtk {

// The system's fixed-pitch font at the given size.
QFont ReportFont(qreal pointSize = 10);

// The grid of the device's printable page in `font`: page width and height
// divided by the width and height of "M", in device units.
PageGrid MeasurePageGrid(QPagedPaintDevice& device, const QFont& font);

// Paints every page of the layout, starting on the device's current page
// and adding a page for each further one. Empty on success, else the reason.
QString PaintReport(QPagedPaintDevice& device, const QFont& font, const ReportLayout& layout);

// Measures, lays out and paints the report of `config` on the device.
QString PrintConfigurationReport(QPagedPaintDevice& device, const QFont& font,
                                 const Configuration& config, const ReportRequest& request);

struct ReportPdfOptions {
    QPageSize PageSize = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF MarginsMm = QMarginsF(12.7, 12.7, 12.7, 12.7);
    qreal PointSize = 10;
};

// Dots per inch of the PDF documents, the same as a high-resolution printer.
inline constexpr int kPdfResolution = 1200;

// Gives a PDF writer the resolution and page layout of the report's PDF.
void SetUpPdfWriter(QPdfWriter& writer, const ReportPdfOptions& options);

// Lays out and paints the report of `config` as a PDF document in memory.
// Empty on success, else the reason (a page size the report cannot use).
QString RenderReportPdf(QByteArray& pdf, const Configuration& config, const ReportRequest& request,
                        const ReportPdfOptions& options = {});

// Writes the report of `config` to a PDF file, all or nothing: a failed save
// leaves any previous file as it was. Empty on success, else the reason in
// words (lines separated by carriage returns): a page size the report cannot
// use, or why the file could not be saved (disk full, permission, not a
// regular file). The caller names the file.
QString WriteReportPdf(const QString& fileName, const Configuration& config,
                       const ReportRequest& request, const ReportPdfOptions& options = {});

}  // namespace kvtk
