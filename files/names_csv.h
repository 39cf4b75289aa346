#pragma once
// The input and group names of a configuration as a spreadsheet file: CSV
// (RFC 4180) in UTF-8 with the header "kind,number,name" and one row per
// name ("input,1,Lobby North", "group,3,Lobby"). The reader also takes ";"
// as separator and a leading byte-order mark, and checks every row before
// anything is changed.

#include <string>
#include <string_view>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

// The names of inputs 1..NumInputs and groups 1..MaxGroups, as the
// configuration file holds them; CR LF line ends, no byte-order mark.
std::string NamesCsvText(const Configuration& config);

struct NameRow {
    enum class Kind { Input, Group };
    Kind What = Kind::Input;
    int Number = 0;
    std::string Name;  // 8-bit text, trimmed as the editors store it
    int Line = 0;      // where the row starts in the file
};

struct RefusedRow {
    int Line = 0;  // where the row starts in the file, from 1
    std::string Reason;
};

struct NamesImport {
    std::vector<NameRow> Rows;
    std::vector<RefusedRow> Refused;
    bool Ok() const { return Refused.empty(); }
};

// Every row is checked; a wrong row is listed with its line number and the
// rest are still checked, so one reading tells everything to mend.
NamesImport ParseNamesCsv(std::string_view bytes);

// The rows whose names a configuration file (.kvx) would not give back as
// they are: its reader drops commas and double quotes and a last character
// below "0". A command that writes such a file refuses them.
std::vector<RefusedRow> NamesAConfigFileCannotKeep(const std::vector<NameRow>& rows);

// Rows for inputs beyond the inputs in use or groups beyond the product's:
// the configuration (and the file saved from it) has no place for them, so
// an import refuses them rather than drop them.
std::vector<RefusedRow> RowsBeyondConfiguration(const std::vector<NameRow>& rows,
                                                const Configuration& config);

// "line 4: ..." for each refused row.
std::string RefusedRowsText(const std::vector<RefusedRow>& refused);

// Sets the names of the rows; every other value stays.
void ApplyNames(Configuration& config, const std::vector<NameRow>& rows);

}  // namespace kvtk
