#include "report/text_renderer.h"

namespace kvtk {
namespace {

std::string LineText(const ReportLine& line) {
    if (line.Text.empty()) return {};
    return std::string(static_cast<size_t>(line.Column), ' ') + line.Text;
}

}  // namespace

std::vector<std::string> PageTextLines(const ReportPage& page) {
    std::vector<std::string> lines;
    lines.reserve(page.Lines.size());
    for (const ReportLine& line : page.Lines) lines.push_back(LineText(line));
    return lines;
}

std::string RenderReportText(const ReportLayout& layout) {
    std::string text;
    for (size_t p = 0; p < layout.Pages.size(); ++p) {
        if (p > 0) text += '\f';
        for (const ReportLine& line : layout.Pages[p].Lines) {
            text += LineText(line);
            text += '\n';
        }
    }
    return text;
}

}  // namespace kvtk
