#pragma once
// An import of names into a .kvx file changes the name lines and the stamp
// (Date=, Time=) and nothing else: every other byte stays as the file has it,
// hand-edited values the reader would limit included.

#include <string>
#include <vector>

#include "files/config_writer.h"
#include "files/names_csv.h"

namespace kvtk {

struct NamesInFile {
    std::string Text;                 // complete only when nothing was refused
    std::vector<RefusedRow> Refused;  // rows whose input or group the file has no block for
    bool Ok() const { return Refused.empty(); }
};

// Finds the blocks as the reader does (the last block of a number is the one
// that counts) and puts each row's name into it: its last name line is
// replaced, or a name line follows the block's heading when it has none.
NamesInFile PutNamesIntoFileText(const std::string& text, const std::vector<NameRow>& rows,
                                 const FileStamp& stamp);

}  // namespace kvtk
