#pragma once
// The printer the user chose with "Printer..." in the Print dialog (the
// platform's print dialog: printer, paper, copies). The File commands keep
// it for the run; its name is remembered for the next run.

#include <QPageSize>
#include <QString>
#include <optional>

class QPrinter;

namespace kvtk {

inline constexpr const char* kDefaultPrinterInfo =
    "Using default printer.  Select and setup with 'Print Manager'.";

struct PrinterChoice {
    QString Name;                    // empty: the system's default printer
    std::optional<QPageSize> Paper;  // as chosen; else the printer's own
    int Copies = 1;
};

// The Print dialog's info line: the default text until a printer was
// chosen, then "Using printer Office (A4, 2 copies)."
QString PrinterInfoText(const PrinterChoice& choice);

// Points a printer at the choice: its name, paper and copies.
void ApplyPrinterChoice(QPrinter& printer, const PrinterChoice& choice);
// What the user set in the platform's print dialog.
PrinterChoice ChoiceFromPrinter(const QPrinter& printer);

// The paper a report for this choice is laid out on: as chosen, else the
// chosen printer's own, else the default printer's; none when no printer
// says.
std::optional<QPageSize> ChosenPaper(const PrinterChoice& choice);

}  // namespace kvtk
