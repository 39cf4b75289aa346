#pragma once
// The paper a PDF report is laid out on when the user names none: the
// paper of the printer chosen, else the system's default paper, as libpaper
// finds it (PAPERSIZE, then /etc/papersize), else the paper of the locale's
// country (LC_ALL, LC_PAPER, LANG, then the system's locale). Every source is
// passed in, so the rule can be checked without changing the machine.

#include <QLocale>
#include <QPageSize>
#include <optional>
#include <string>
#include <string_view>

namespace kvtk {

struct PaperSources {
    std::optional<QPageSize> Printer;          // the chosen (or default) printer's paper
    std::string PapersizeVariable;             // PAPERSIZE
    std::optional<std::string> PapersizeFile;  // the text of /etc/papersize, if there is one
    std::string LocaleName;                    // LC_ALL, else LC_PAPER, else LANG: "en_US.UTF-8"
    QLocale SystemLocale = QLocale::c();       // where no locale name is set
};

// A paper by the names users and /etc/papersize give it ("a4", "Letter",
// "legal", ...); none for a name not known.
std::optional<QPageSize> PaperFromName(std::string_view name);

QPageSize ReportPaper(const PaperSources& sources);

// The default paper of the system's default printer; none without one. A
// QGuiApplication must exist.
std::optional<QPageSize> DefaultPrinterPaper();

// This machine's sources; `printer` is the paper of the printer chosen.
PaperSources SystemPaperSources(std::optional<QPageSize> printer = std::nullopt);

}  // namespace kvtk
