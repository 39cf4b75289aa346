#include "report/pdf/report_paper.h"

#include <QPrinterInfo>
#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

#include "files/small_file.h"

namespace kvtk {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The first word of the first line that is not a comment.
std::string PapersizeFileName(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word[0] != '#') return word;
    }
    return {};
}

// The countries whose locales print on US Letter (the C library's LC_PAPER).
bool LetterTerritory(std::string_view code) {
    constexpr std::array<std::string_view, 14> kLetter{"US", "CA", "MX", "BO", "CL", "CO", "CR",
                                                       "GT", "NI", "PA", "PR", "SV", "VE", "PH"};
    return std::find(kLetter.begin(), kLetter.end(), code) != kLetter.end();
}

// "en_US.UTF-8@euro" is of the country "US"; "C" and "POSIX" of none.
std::optional<QPageSize> PaperOfLocaleName(const std::string& name) {
    const size_t underscore = name.find('_');
    if (underscore == std::string::npos) return std::nullopt;
    const std::string rest = name.substr(underscore + 1);
    const std::string country = rest.substr(0, rest.find_first_of(".@"));
    if (country.size() != 2) return std::nullopt;
    return QPageSize(LetterTerritory(country) ? QPageSize::Letter : QPageSize::A4);
}

QPageSize PaperOfLocale(const QLocale& locale) {
    const QString country = QLocale::territoryToCode(locale.territory());
    return QPageSize(LetterTerritory(country.toStdString()) ? QPageSize::Letter : QPageSize::A4);
}

std::string Variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

}  // namespace

std::optional<QPageSize> PaperFromName(std::string_view name) {
    static const struct {
        const char* Name;
        QPageSize::PageSizeId Id;
    } kNames[] = {
        {"a3", QPageSize::A3},
        {"a4", QPageSize::A4},
        {"a5", QPageSize::A5},
        {"b5", QPageSize::B5},
        {"letter", QPageSize::Letter},
        {"legal", QPageSize::Legal},
        {"executive", QPageSize::Executive},
        {"tabloid", QPageSize::Tabloid},
        {"ledger", QPageSize::Ledger},
    };
    const std::string lower = Lower(name);
    for (const auto& paper : kNames)
        if (lower == paper.Name) return QPageSize(paper.Id);
    return std::nullopt;
}

QPageSize ReportPaper(const PaperSources& sources) {
    if (sources.Printer && sources.Printer->isValid()) return *sources.Printer;
    if (auto paper = PaperFromName(sources.PapersizeVariable)) return *paper;
    if (sources.PapersizeFile)
        if (auto paper = PaperFromName(PapersizeFileName(*sources.PapersizeFile))) return *paper;
    if (auto paper = PaperOfLocaleName(sources.LocaleName)) return *paper;
    return PaperOfLocale(sources.SystemLocale);
}

std::optional<QPageSize> DefaultPrinterPaper() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull() || !printer.defaultPageSize().isValid()) return std::nullopt;
    return printer.defaultPageSize();
}

PaperSources SystemPaperSources(std::optional<QPageSize> printer) {
    PaperSources sources;
    sources.Printer = std::move(printer);
    sources.PapersizeVariable = Variable("PAPERSIZE");
    if (const SmallFileResult file = ReadSmallFile("/etc/papersize"); file.Ok())
        sources.PapersizeFile = file.Text;
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        sources.LocaleName = Variable(name);
        if (!sources.LocaleName.empty()) break;
    }
    sources.SystemLocale = QLocale::system();
    return sources;
}

}  // namespace kvtk
