#include "ui/files/printer_choice.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "report/pdf/report_paper.h"

namespace kvtk {

QString PrinterInfoText(const PrinterChoice& choice) {
    if (choice.Name.isEmpty()) return QString::fromLatin1(kDefaultPrinterInfo);
    QStringList details;
    if (choice.Paper) details << choice.Paper->name();
    if (choice.Copies > 1) details << QStringLiteral("%1 copies").arg(choice.Copies);
    QString text = QStringLiteral("Using printer ") + choice.Name;
    if (!details.isEmpty())
        text += QStringLiteral(" (") + details.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text + QLatin1Char('.');
}

void ApplyPrinterChoice(QPrinter& printer, const PrinterChoice& choice) {
    if (!choice.Name.isEmpty()) printer.setPrinterName(choice.Name);
    if (choice.Paper) printer.setPageSize(*choice.Paper);
    printer.setCopyCount(choice.Copies);
}

PrinterChoice ChoiceFromPrinter(const QPrinter& printer) {
    PrinterChoice choice;
    choice.Name = printer.printerName();
    const QPageSize paper = printer.pageLayout().pageSize();
    if (paper.isValid()) choice.Paper = paper;
    choice.Copies = std::max(1, printer.copyCount());
    return choice;
}

std::optional<QPageSize> ChosenPaper(const PrinterChoice& choice) {
    if (choice.Paper) return choice.Paper;
    if (!choice.Name.isEmpty()) {
        const QPrinterInfo printer = QPrinterInfo::printerInfo(choice.Name);
        if (!printer.isNull() && printer.defaultPageSize().isValid())
            return printer.defaultPageSize();
    }
    return DefaultPrinterPaper();
}

}  // namespace kvtk
