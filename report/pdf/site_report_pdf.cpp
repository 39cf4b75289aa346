#include "report/pdf/site_report_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>

#include "files/safe_save.h"

namespace kvtk {

QString WriteSiteReportPdf(const QString& fileName, const SiteReportRequest& site,
                           const std::vector<SiteReportFile>& files,
                           const ReportPdfOptions& options) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        SetUpPdfWriter(writer, options);
        const QFont font = ReportFont(options.PointSize);
        const PageGrid grid = MeasurePageGrid(writer, font);
        ReportResult whole = BuildSiteReport(site, grid);
        if (!whole.Layout) return QString::fromStdString(whole.Error);
        for (const SiteReportFile& file : files) {
            ReportResult report = BuildConfigurationReport(file.Config, file.Request, grid);
            if (!report.Layout) return QString::fromStdString(report.Error);
            AppendReportPages(*whole.Layout, std::move(*report.Layout));
        }
        if (const QString failure = PaintReport(writer, font, *whole.Layout); !failure.isEmpty())
            return failure;
    }
    const FileResult saved = SaveFileAtomically(QFile::encodeName(fileName).toStdString(),
                                                std::string_view(pdf.constData(), pdf.size()));
    if (saved.Ok()) return {};
    return QString::fromLocal8Bit(saved.Message).trimmed();
}

}  // namespace kvtk
