#include "files/names_in_file.h"

#include <map>
#include <optional>
#include <sstream>

#include "files/file_text.h"
#include "model/conversions.h"

namespace kvtk {
namespace {

struct PhysicalLine {
    std::string Content;
    std::string End;  // "\r\n", "\r", "\n" or nothing at the end of the text
};

std::vector<PhysicalLine> SplitLines(const std::string& text) {
    std::vector<PhysicalLine> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find_first_of("\r\n", at);
        PhysicalLine line{text.substr(at, end == std::string::npos ? end : end - at), {}};
        if (end == std::string::npos) {
            at = text.size();
        } else {
            const size_t width = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            line.End = text.substr(end, width);
            at = end + width;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The field the reader makes of one line; nothing for a line it skips.
std::optional<std::string> FieldOf(const PhysicalLine& line) {
    if (line.Content.empty()) return std::nullopt;
    std::istringstream in(line.Content);
    return ReadField(in);
}

using BlockKey = std::pair<NameRow::Kind, int>;

struct Block {
    size_t Heading = 0;
    std::optional<size_t> NameLine;  // the last one
};

// The lines of the last block of every input and group, and the stamp lines.
struct FileLayout {
    std::map<BlockKey, Block> Blocks;
    std::optional<size_t> DateLine, TimeLine;
};

FileLayout Layout(const std::vector<PhysicalLine>& lines) {
    enum class Section { Header, Panel, BeforeInputs, Inputs, Groups, Rest };
    FileLayout layout;
    Section section = Section::Header;
    int headerFields = 0;
    bool headerDone = false;
    std::optional<BlockKey> current;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto field = FieldOf(lines[i]);
        if (!field) continue;
        const std::string upper = ToUpper(*field);
        const bool rule = StartsWith(*field, "-----");
        switch (section) {
            case Section::Header:
                if (upper == "PANEL INFORMATION") {
                    section = Section::Panel;
                } else if (++headerFields > 3 && !headerDone) {
                    // The header reader's stamp lines: after the first three, up to a rule.
                    if (StartsWith(upper, "----")) {
                        headerDone = true;
                    } else if (const auto kv = SplitKeyValue(*field)) {
                        if (kv->Key == "DATE" && !layout.DateLine) layout.DateLine = i;
                        if (kv->Key == "TIME" && !layout.TimeLine) layout.TimeLine = i;
                    }
                }
                break;
            case Section::Panel:
                if (rule) section = Section::BeforeInputs;
                break;
            case Section::BeforeInputs:
                if (upper == "INPUT INFORMATION") section = Section::Inputs;
                break;
            case Section::Inputs:
            case Section::Groups: {
                if (rule) {
                    section = section == Section::Inputs ? Section::Groups : Section::Rest;
                    current.reset();
                    break;
                }
                const bool inputs = section == Section::Inputs;
                const auto number = inputs ? HeadingNumberText(upper, "LINE #", "INPUT #")
                                           : HeadingNumberText(upper, "ZONE #", "GROUP #");
                if (number) {
                    const BlockKey key{inputs ? NameRow::Kind::Input : NameRow::Kind::Group,
                                       RoundHalfEven(NumericValue(*number))};
                    layout.Blocks[key] = Block{i, std::nullopt};
                    current = key;
                } else if (const auto kv = SplitKeyValue(*field);
                           current && kv && kv->Key == "NAME") {
                    layout.Blocks[*current].NameLine = i;
                }
                break;
            }
            case Section::Rest:
                break;
        }
    }
    return layout;
}

const char* KindWord(NameRow::Kind kind) {
    return kind == NameRow::Kind::Input ? "input" : "group";
}

}  // namespace

NamesInFile PutNamesIntoFileText(const std::string& text, const std::vector<NameRow>& rows,
                                 const FileStamp& stamp) {
    std::vector<PhysicalLine> lines = SplitLines(text);
    const FileLayout layout = Layout(lines);
    NamesInFile result;
    // Lines to insert after a heading, by heading line.
    std::map<size_t, std::string> inserted;
    for (const NameRow& row : rows) {
        const auto block = layout.Blocks.find({row.What, row.Number});
        if (block == layout.Blocks.end()) {
            result.Refused.push_back({row.Line, std::string("the file has no block for ") +
                                                    KindWord(row.What) + " " +
                                                    std::to_string(row.Number)});
            continue;
        }
        if (block->second.NameLine)
            lines[*block->second.NameLine].Content = "Name = " + row.Name;
        else
            inserted[block->second.Heading] = "Name = " + row.Name;
    }
    if (!result.Ok()) return result;
    if (layout.DateLine) lines[*layout.DateLine].Content = "Date=" + stamp.Date;
    if (layout.TimeLine) lines[*layout.TimeLine].Content = "Time=" + stamp.Time;
    for (size_t i = 0; i < lines.size(); ++i) {
        result.Text += lines[i].Content + lines[i].End;
        if (const auto name = inserted.find(i); name != inserted.end())
            result.Text +=
                lines[i].End.empty() ? "\r\n" + name->second : name->second + lines[i].End;
    }
    return result;
}

}  // namespace kvtk
