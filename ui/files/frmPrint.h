#pragma once
// "Print": how many groups to print, then the configuration report on the
// default printer, or on the one chosen with "Printer..." (the platform's
// print dialog). Where there is no printer, or the printer fails, the dialog
// says so and offers to save the same report as a PDF file, on the chosen
// printer's paper or else the system's.

#include <QDialog>
#include <functional>

#include "model/configuration.h"
#include "model/conversions.h"
#include "report/configuration_report.h"
#include "ui/files/printer_choice.h"
#include "ui/widgets/beeper.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kvtk {

class FilePrompts;
class SpinButtons;

// Sends the report to the chosen printer (the default one while none was
// chosen); empty when the job went out, else why not, in words.
using ReportPrintJob =
    std::function<QString(const Configuration&, const ReportRequest&, const PrinterChoice&)>;
QString PrintOnChosenPrinter(const Configuration& config, const ReportRequest& request,
                             const PrinterChoice& printer);

inline constexpr const char* kPrintingInProcessText = "Printing in Process";
inline constexpr const char* kNoPrinterText = "No printer is available.";
inline constexpr const char* kNoDefaultPrinterText =
    "No default printer is set: choose one with \"Printer...\".";

class frmPrint : public QDialog {
    Q_OBJECT
public:
    // `printer` is the run's choice, which "Printer..." changes.
    frmPrint(const Configuration& config, ReportOrigin origin, const Beeper& beeper, SpinTick& tick,
             FilePrompts& prompts, PrinterChoice& printer, QWidget* parent = nullptr);

    void SetPrintJob(ReportPrintJob job) { printJob_ = std::move(job); }

    // cmdPrint: prints (or offers the PDF), tells the user, closes the dialog.
    void PrintReport();
    // cmdPrinter: the platform's print dialog; the info line names the printer chosen.
    void ChoosePrinter();
    // The report as it would be printed now (group count from the field).
    ReportRequest Request() const;

    QLineEdit* txtNumGroups() const { return txtNumGroups_; }
    SpinButtons* spnNumGroups() const { return spnNumGroups_; }
    QPushButton* cmdPrint() const { return cmdPrint_; }
    QPushButton* cmdPreview() const { return cmdPreview_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdPrinter() const { return cmdPrinter_; }
    QLabel* lblInfo() const { return lblInfo_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OfferPdf(const QString& problem, const ReportRequest& request);
    void ShowPreview();

    const Configuration& config_;
    ReportOrigin origin_;
    const Beeper& beeper_;
    FilePrompts& prompts_;
    PrinterChoice& printer_;
    ReportPrintJob printJob_ = PrintOnChosenPrinter;

    QLineEdit* txtNumGroups_ = nullptr;
    SpinButtons* spnNumGroups_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdPrinter_ = nullptr;
    QLabel* lblInfo_ = nullptr;
};

}  // namespace kvtk
