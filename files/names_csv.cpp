#include "files/names_csv.h"

#include <algorithm>
#include <map>
#include <optional>

#include "files/windows1252.h"
#include "model/conversions.h"
#include "model/printable_text.h"

namespace kvtk {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A field is quoted when a reader could otherwise split or trim it.
std::string CsvField(const std::string& utf8) {
    const bool quote = utf8.find_first_of(",;\"\r\n") != std::string::npos ||
                       (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
    if (!quote) return utf8;
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

struct Record {
    int Line = 0;
    std::vector<std::string> Fields;
    bool Unterminated = false;  // a quoted field ran to the end of the file
};

// Splits RFC 4180 text into records; a quoted field may hold separators,
// doubled quotes and line breaks. CR LF, LF and a lone CR all end a line.
class RecordReader {
public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    std::optional<Record> Next() {
        if (pos_ >= text_.size()) return std::nullopt;
        Record record;
        record.Line = line_;
        std::string field;
        bool quoted = false;
        for (;;) {
            if (pos_ >= text_.size()) {
                record.Unterminated = quoted;
                break;
            }
            const char c = text_[pos_++];
            if (quoted) {
                if (c == '"' && pos_ < text_.size() && text_[pos_] == '"') {
                    field += '"';
                    ++pos_;
                } else if (c == '"') {
                    quoted = false;
                } else if (LineBreak(c)) {
                    field += '\n';
                } else {
                    field += c;
                }
            } else if (c == '"' && field.find_first_not_of(' ') == std::string::npos) {
                field.clear();
                quoted = true;
            } else if (c == separator_) {
                record.Fields.push_back(std::move(field));
                field.clear();
            } else if (LineBreak(c)) {
                break;
            } else {
                field += c;
            }
        }
        record.Fields.push_back(std::move(field));
        return record;
    }

private:
    // Counts a line break (CR LF as one) and steps over its LF.
    bool LineBreak(char c) {
        if (c != '\r' && c != '\n') return false;
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
        return true;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool AllEmpty(const std::vector<std::string>& fields, std::size_t from = 0) {
    return std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(std::min(from, fields.size())),
                       fields.end(), [](const std::string& f) { return Trim(f).empty(); });
}

bool IsHeader(const Record& record) {
    const auto& f = record.Fields;
    return f.size() >= 3 && Lower(Trim(f[0])) == "kind" && Lower(Trim(f[1])) == "number" &&
           Lower(Trim(f[2])) == "name" && AllEmpty(f, 3);
}

std::optional<int> WholeNumber(const std::string& text) {
    const std::string digits = Trim(text);
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(digits);
}

// The row's name in 8-bit text, or why it cannot be one.
std::optional<std::string> NameOf(const std::string& utf8, std::string& reason) {
    if (utf8.find_first_of("\r\n") != std::string::npos) {
        reason = "a name cannot hold a line break";
        return std::nullopt;
    }
    const Windows1252Text text = Utf8ToWindows1252(utf8);
    if (text.Failure == Windows1252Text::Problem::NotUtf8) {
        reason = "the name is not UTF-8 text (save the sheet as CSV UTF-8)";
        return std::nullopt;
    }
    if (text.Failure == Windows1252Text::Problem::NoByte) {
        reason = "the character " + CodePointText(text.Refused) +
                 " cannot be stored in the panel's 8-bit text";
        return std::nullopt;
    }
    std::string name = Trim(text.Text);
    if (const auto control = ControlCharacterIn(name)) {
        reason = "the name holds " + *control + "; " + kPrintableTextRule;
        return std::nullopt;
    }
    if (name.size() > static_cast<std::size_t>(kNameMaxLength)) {
        reason = "the name is longer than " + std::to_string(kNameMaxLength) + " characters";
        return std::nullopt;
    }
    return name;
}

// Checks one row; the reason is empty when it is good.
NameRow CheckRow(const Record& record, std::string& reason) {
    NameRow row;
    row.Line = record.Line;
    const auto& f = record.Fields;
    if (f.size() < 3 || !AllEmpty(f, 3)) {
        reason = "expected three fields: kind, number and name";
        return row;
    }
    const std::string kind = Lower(Trim(f[0]));
    if (kind != "input" && kind != "group") {
        reason = "unknown kind \"" + Trim(f[0]) + "\" (input or group)";
        return row;
    }
    row.What = kind == "input" ? NameRow::Kind::Input : NameRow::Kind::Group;
    const int last = row.What == NameRow::Kind::Input ? kInputCount : kGroupCount;
    const std::optional<int> number = WholeNumber(f[1]);
    if (!number || *number < 1 || *number > last) {
        reason = kind + " number \"" + Trim(f[1]) + "\" is not from 1 to " + std::to_string(last);
        return row;
    }
    row.Number = *number;
    if (auto name = NameOf(f[2], reason)) row.Name = std::move(*name);
    return row;
}

}  // namespace

std::string NamesCsvText(const Configuration& config) {
    std::string text = "kind,number,name\r\n";
    const int inputs = std::clamp<int32_t>(CountValue(config.Panel.NumInputs), 0, kInputCount);
    for (int n = 1; n <= inputs; ++n)
        text += "input," + std::to_string(n) + "," +
                CsvField(Windows1252ToUtf8(config.Inputs[static_cast<std::size_t>(n)].Name)) +
                "\r\n";
    const int groups = std::clamp<int>(config.Limits.MaxGroups, 0, kGroupCount);
    for (int g = 1; g <= groups; ++g)
        text += "group," + std::to_string(g) + "," +
                CsvField(Windows1252ToUtf8(config.Groups[static_cast<std::size_t>(g)].Name)) +
                "\r\n";
    return text;
}

NamesImport ParseNamesCsv(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    // The header decides the separator: spreadsheets in many countries write ";".
    const std::string_view firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    const char separator = firstLine.find(';') != std::string_view::npos &&
                                   firstLine.find(',') == std::string_view::npos
                               ? ';'
                               : ',';

    NamesImport result;
    RecordReader reader(bytes, separator);
    const std::optional<Record> header = reader.Next();
    if (!header || !IsHeader(*header)) {
        result.Refused.push_back({1, "the first line must be the header kind,number,name"});
        return result;
    }
    std::map<std::pair<NameRow::Kind, int>, int> seen;  // -> line of its first row
    while (const std::optional<Record> record = reader.Next()) {
        if (!record->Unterminated && AllEmpty(record->Fields)) continue;  // a blank line
        std::string reason;
        NameRow row = CheckRow(*record, reason);
        if (record->Unterminated) reason = "a quoted field is not closed";
        if (reason.empty()) {
            const auto [it, first] = seen.emplace(std::pair{row.What, row.Number}, record->Line);
            if (!first)
                reason = "this name was already given on line " + std::to_string(it->second);
        }
        if (reason.empty())
            result.Rows.push_back(std::move(row));
        else
            result.Refused.push_back({record->Line, std::move(reason)});
    }
    return result;
}

std::vector<RefusedRow> NamesAConfigFileCannotKeep(const std::vector<NameRow>& rows) {
    std::vector<RefusedRow> refused;
    for (const NameRow& row : rows) {
        const std::string& name = row.Name;
        if (name.find_first_of(",\"") != std::string::npos ||
            (!name.empty() && static_cast<unsigned char>(name.back()) < '0'))
            refused.push_back({row.Line,
                               "a .kvx file cannot keep this name: it may not hold a comma or a "
                               "double quote, nor end in one of !#$%&'()*+-./"});
    }
    return refused;
}

std::vector<RefusedRow> RowsBeyondConfiguration(const std::vector<NameRow>& rows,
                                                const Configuration& config) {
    const int inputs = std::clamp<int32_t>(CountValue(config.Panel.NumInputs), 0, kInputCount);
    const int groups = std::clamp<int>(config.Limits.MaxGroups, 0, kGroupCount);
    std::vector<RefusedRow> refused;
    for (const NameRow& row : rows) {
        if (row.What == NameRow::Kind::Input && row.Number > inputs)
            refused.push_back({row.Line, "input " + std::to_string(row.Number) +
                                             " is beyond the inputs in use (1 to " +
                                             std::to_string(inputs) + ")"});
        if (row.What == NameRow::Kind::Group && row.Number > groups)
            refused.push_back({row.Line, "group " + std::to_string(row.Number) +
                                             " is beyond the product's groups (1 to " +
                                             std::to_string(groups) + ")"});
    }
    return refused;
}

std::string RefusedRowsText(const std::vector<RefusedRow>& refused) {
    std::string text;
    for (const RefusedRow& row : refused)
        text += "line " + std::to_string(row.Line) + ": " + row.Reason + "\n";
    return text;
}

void ApplyNames(Configuration& config, const std::vector<NameRow>& rows) {
    for (const NameRow& row : rows) {
        const auto index = static_cast<std::size_t>(row.Number);
        if (row.What == NameRow::Kind::Input)
            config.Inputs.at(index).Name = row.Name;
        else
            config.Groups.at(index).Name = row.Name;
    }
}

}  // namespace kvtk
