#include "report/page_writer.h"

#include <algorithm>
#include <utility>

namespace kvtk {
namespace {

constexpr int kContinuationIndent = 4;

// The emphasis runs of `line` that fall in text [from, to), made relative to `from`.
std::vector<EmphasisRun> RunsWithin(const ReportLine& line, int from, int to) {
    std::vector<EmphasisRun> runs;
    for (const EmphasisRun& run : line.Emphasis) {
        const int start = std::max(run.Start, from);
        const int end = std::min(run.Start + run.Length, to);
        if (end > start) runs.push_back({start - from, end - start});
    }
    return runs;
}

// Where to break text that does not fit in `room` characters: after the
// last ", " between items that lets the piece fit, else at the last blank,
// else hard at `room`. Returns the end of the piece.
int BreakPoint(const std::string& text, int from, int room) {
    for (int i = from + room - 1; i > from; --i) {
        if (text[static_cast<size_t>(i)] == ',' && text[static_cast<size_t>(i) + 1] == ' ')
            return i + 1;
    }
    for (int i = from + room; i > from; --i) {
        if (text[static_cast<size_t>(i)] == ' ') return i;
    }
    return from + room;
}

}  // namespace

ReportLine PlainLine(int column, std::string text) {
    ReportLine line;
    line.Column = column;
    line.Text = std::move(text);
    return line;
}

void Append(ReportLine& line, const std::string& text, bool emphasised) {
    if (text.empty()) return;
    if (emphasised) {
        const int start = static_cast<int>(line.Text.size());
        if (!line.Emphasis.empty() &&
            line.Emphasis.back().Start + line.Emphasis.back().Length == start) {
            line.Emphasis.back().Length += static_cast<int>(text.size());
        } else {
            line.Emphasis.push_back({start, static_cast<int>(text.size())});
        }
    }
    line.Text += text;
}

PageWriter::PageWriter(const PageGrid& grid, std::string headerText) : grid_(grid) {
    layout_.Grid = grid;
    layout_.HeaderText = std::move(headerText);
}

void PageWriter::PrintPageHeader(bool newPage) {
    if (newPage || layout_.Pages.empty()) {
        ReportPage page;
        page.Number = static_cast<int>(layout_.Pages.size()) + 1;
        layout_.Pages.push_back(std::move(page));
    }
    ReportPage& page = layout_.Pages.back();
    for (int i = 0; i < grid_.TopMargin; ++i) page.Lines.emplace_back();
    counter_ = 0;
    PrintRule();
    // "Page N" stands at the right end of the rule; a header text that
    // reaches that far keeps one blank before it instead of being overprinted.
    ReportLine header = PlainLine(grid_.LeftMargin, layout_.HeaderText);
    const size_t pageColumn = static_cast<size_t>(std::max(grid_.ReportWidth - 8, 0));
    header.Text.resize(std::max(header.Text.size() + 1, pageColumn), ' ');
    header.Text += "Page " + std::to_string(page.Number);
    Place(std::move(header));
    PrintRule();
    PrintEmpty();
}

std::vector<ReportLine> PageWriter::Wrap(const ReportLine& line) const {
    const int rightEdge = grid_.LeftMargin + grid_.ReportWidth;
    const int textLength = static_cast<int>(line.Text.size());
    if (line.Column + textLength <= rightEdge) return {line};

    std::vector<ReportLine> pieces;
    int column = line.Column;
    int from = 0;
    while (from < textLength) {
        const int room = std::max(rightEdge - column, 1);
        int to = textLength;
        int next = textLength;
        if (textLength - from > room) {
            to = BreakPoint(line.Text, from, room);
            next = to;
            while (next < textLength && line.Text[static_cast<size_t>(next)] == ' ') ++next;
            while (to > from && line.Text[static_cast<size_t>(to - 1)] == ' ') --to;
        }
        ReportLine piece;
        piece.Column = column;
        piece.Text = line.Text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
        piece.Emphasis = RunsWithin(line, from, to);
        pieces.push_back(std::move(piece));
        from = next;
        if (pieces.size() == 1 &&
            rightEdge - (line.Column + kContinuationIndent) >= kMinReportWidth / 2)
            column = line.Column + kContinuationIndent;
    }
    return pieces;
}

void PageWriter::Print(const ReportLine& line) {
    for (ReportLine& piece : Wrap(line)) Place(std::move(piece));
}

void PageWriter::PrintEmpty() {
    Place(ReportLine{});
}

void PageWriter::PrintRule() {
    Place(PlainLine(grid_.LeftMargin, std::string(static_cast<size_t>(grid_.ReportWidth), '-')));
}

void PageWriter::KeepTogether(int lineCount) {
    if (counter_ + lineCount > grid_.LinesPerPage) PrintPageHeader(true);
}

void PageWriter::Place(ReportLine line) {
    // The header itself takes 4 lines and every grid in use holds at least
    // 10, so this never recurses more than once.
    if (counter_ + 1 > grid_.LinesPerPage) PrintPageHeader(true);
    layout_.Pages.back().Lines.push_back(std::move(line));
    ++counter_;
}

ReportLayout PageWriter::Finish() && {
    return std::move(layout_);
}

}  // namespace kvtk
