#pragma once
// Reading the files a command is given, with the reason in one line when a
// file cannot be used, for the commands and the names subcommands alike.

#include <string>

#include "files/file_header.h"

namespace kvtk::cli {

// Message box texts use carriage returns between lines.
std::string OneLine(std::string text);

// Reads a whole regular file into `text` (within the bound for a
// configuration file); otherwise why not, in one line. Empty when read.
std::string ReadWholeFileOrWhy(const std::string& path, std::string& text);

// A .kvx file that can be opened at all: a regular file with a usable
// header. `Why` says in one line why not; empty when it can.
struct KvxFile {
    std::string Text;
    HeaderReadResult Header;
    std::string Why;
    bool Ok() const { return Why.empty(); }
};
KvxFile ReadKvxFile(const std::string& path);

}  // namespace kvtk::cli
