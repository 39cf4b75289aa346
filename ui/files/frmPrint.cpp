#include "ui/files/frmPrint.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>
#include <ctime>

#include "report/pdf/report_painter.h"
#include "report/pdf/report_paper.h"
#include "ui/files/file_prompts.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/typed_key.h"

namespace kvtk {
namespace {

// txtNumGroups: a digit that would make the count exceed the number of
// groups is refused with a beep; leaving it empty gives 0 with a beep.
class GroupCountField : public QLineEdit {
public:
    GroupCountField(const Configuration& config, const Beeper& beeper)
        : config_(config), beeper_(beeper) {
        setMaxLength(5);
        const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12;
        setFixedWidth(width);
    }

    void RunLeaveCheck() {
        if (text().trimmed().isEmpty()) {
            beeper_.Beep();
            setText(QStringLiteral("0"));
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!TypedCharacter(*event)) {
            QLineEdit::keyPressEvent(event);  // Backspace, caret movement, Tab
            return;
        }
        const QString typed = event->text();
        // Only digits make a count.
        if (typed.at(0) < QLatin1Char('0') || typed.at(0) > QLatin1Char('9')) {
            beeper_.Beep();
            return;
        }
        QString next = text();
        if (hasSelectedText())
            next.replace(selectionStart(), selectedText().size(), typed);
        else
            next.insert(cursorPosition(), typed);
        if (IntegerValue(ToCoreText(next)) > config_.Limits.MaxGroups) {
            beeper_.Beep();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
    void focusOutEvent(QFocusEvent* event) override {
        if (event->reason() != Qt::ActiveWindowFocusReason &&
            event->reason() != Qt::PopupFocusReason)
            RunLeaveCheck();
        QLineEdit::focusOutEvent(event);
    }

private:
    const Configuration& config_;
    const Beeper& beeper_;
};

QString SuggestedPdfPath(const ReportOrigin& origin) {
    if (origin.FromFile && !origin.FileName.empty()) {
        const QFileInfo file(ToQString(origin.FileName));
        return file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
    }
    return QDir::home().filePath(QStringLiteral("kvtk-report.pdf"));
}

}  // namespace

QString PrintOnChosenPrinter(const Configuration& config, const ReportRequest& request,
                             const PrinterChoice& choice) {
    const QPrinterInfo info = choice.Name.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                    : QPrinterInfo::printerInfo(choice.Name);
    if (info.isNull() && !choice.Name.isEmpty())
        return QStringLiteral("The printer ") + choice.Name + QStringLiteral(" is not available.");
    // A queue without a default set is there to be chosen.
    if (info.isNull() && !QPrinterInfo::availablePrinterNames().isEmpty())
        return QString::fromLatin1(kNoDefaultPrinterText);
    if (info.isNull()) return QString::fromLatin1(kNoPrinterText);
    QPrinter printer(info, QPrinter::HighResolution);
    ApplyPrinterChoice(printer, PrinterChoice{QString(), choice.Paper, choice.Copies});
    printer.setDocName(QStringLiteral("KV Programming Kit report"));
    const QString error = PrintConfigurationReport(printer, ReportFont(), config, request);
    if (error.isEmpty()) return {};
    return QStringLiteral("The report could not be printed on ") + info.printerName() +
           QStringLiteral(": ") + error;
}

frmPrint::frmPrint(const Configuration& config, ReportOrigin origin, const Beeper& beeper,
                   SpinTick& tick, FilePrompts& prompts, PrinterChoice& printer, QWidget* parent)
    : QDialog(parent),
      config_(config),
      origin_(std::move(origin)),
      beeper_(beeper),
      prompts_(prompts),
      printer_(printer) {
    setWindowTitle(QStringLiteral("Print"));
    setModal(true);

    auto* field = new GroupCountField(config_, beeper_);
    txtNumGroups_ = field;
    txtNumGroups_->setObjectName(QStringLiteral("txtNumGroups"));
    auto* label = new QLabel(QStringLiteral("&Number of groups to print:"));
    label->setObjectName(QStringLiteral("lblNumGroups"));
    label->setBuddy(txtNumGroups_);
    txtNumGroups_->setAccessibleName(QStringLiteral("Number of groups to print"));
    spnNumGroups_ = new SpinButtons(
        txtNumGroups_, [this] { return int{config_.Limits.MinGroupNumber}; },
        [this] { return int{config_.Limits.MaxGroups}; }, tick, beeper_,
        QStringLiteral("Number of groups to print"));
    spnNumGroups_->setObjectName(QStringLiteral("spnNumGroups"));

    cmdPrint_ = new QPushButton(QStringLiteral("&Print"));
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint_->setDefault(true);
    cmdPreview_ = new QPushButton(QStringLiteral("Pre&view..."));
    cmdPreview_->setObjectName(QStringLiteral("cmdPreview"));
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    lblInfo_ = new QLabel(PrinterInfoText(printer_));
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setTextFormat(Qt::PlainText);
    cmdPrinter_ = new QPushButton(QStringLiteral("P&rinter..."));
    cmdPrinter_->setObjectName(QStringLiteral("cmdPrinter"));

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(label);
    countRow->addWidget(txtNumGroups_);
    countRow->addWidget(spnNumGroups_);
    countRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint_);
    buttons->addWidget(cmdPreview_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(lblInfo_, 1);
    printerRow->addWidget(cmdPrinter_);
    layout->addLayout(countRow);
    layout->addLayout(printerRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdPrint_, &QPushButton::clicked, this, &frmPrint::PrintReport);
    connect(cmdPreview_, &QPushButton::clicked, this, &frmPrint::ShowPreview);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdPrinter_, &QPushButton::clicked, this, &frmPrint::ChoosePrinter);
}

void frmPrint::ChoosePrinter() {
    if (prompts_.AskPrinter(printer_)) lblInfo_->setText(PrinterInfoText(printer_));
}

void frmPrint::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtNumGroups_->setText(QString::number(config_.Limits.MaxGroups));
    txtNumGroups_->setFocus(Qt::OtherFocusReason);
    txtNumGroups_->selectAll();
}

ReportRequest frmPrint::Request() const {
    ReportRequest request;
    request.Origin = origin_;
    request.GroupCount = IntegerValue(ToCoreText(txtNumGroups_->text()));
    request.PrintedAt = LocalReportMoment(std::time(nullptr));
    return request;
}

void frmPrint::PrintReport() {
    static_cast<GroupCountField*>(txtNumGroups_)->RunLeaveCheck();
    const ReportRequest request = Request();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem = printJob_(config_, request, printer_);
    QApplication::restoreOverrideCursor();
    if (problem.isEmpty())
        prompts_.Ask({QString(), QString::fromLatin1(kPrintingInProcessText)});
    else
        OfferPdf(problem, request);
    accept();
}

void frmPrint::OfferPdf(const QString& problem, const ReportRequest& request) {
    const MessagePrompt offer{
        QStringLiteral("Print"),
        problem + QStringLiteral("\r\rDo you want to save the report as a PDF file instead?"),
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    if (prompts_.Ask(offer) != QMessageBox::Yes) return;
    std::optional<QString> name = prompts_.AskPdfFileName(SuggestedPdfPath(request.Origin));
    if (!name || name->trimmed().isEmpty()) return;
    if (!name->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        *name += QStringLiteral(".pdf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportPdfOptions options;
    options.PageSize = ReportPaper(SystemPaperSources(ChosenPaper(printer_)));
    const QString error = WriteReportPdf(*name, config_, request, options);
    QApplication::restoreOverrideCursor();
    if (error.isEmpty())
        prompts_.Ask({QStringLiteral("Print"),
                      QStringLiteral("The report was saved as ") + *name + QStringLiteral("."),
                      QMessageBox::Information});
    else
        prompts_.Ask({QStringLiteral("Print"),
                      QStringLiteral("The report could not be saved as ") + *name +
                          QStringLiteral(":\r") + error,
                      QMessageBox::Critical});
}

void frmPrint::ShowPreview() {
    static_cast<GroupCountField*>(txtNumGroups_)->RunLeaveCheck();
    const ReportRequest request = Request();
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(printer, printer_);
    // The pages as the chosen printer, or else the PDF, would have them.
    printer.setPageSize(ReportPaper(SystemPaperSources(ChosenPaper(printer_))));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &request](QPrinter* p) {
        PrintConfigurationReport(*p, ReportFont(), config_, request);
    });
    preview.exec();
}

}  // namespace kvtk
