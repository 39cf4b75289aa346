#pragma once
// Small files read whole, such as a password file: only plain files are
// opened, and at most a few kilobytes are read, so that a device (/dev/zero),
// a pipe or a huge file can neither hang the program nor fill its memory.

#include <cstddef>
#include <string>

namespace kvtk {

inline constexpr std::size_t kSmallFileLimit = 4096;

struct SmallFileResult {
    std::string Text;
    std::string Error;  // why nothing was read, in words; empty when read
    bool Ok() const { return Error.empty(); }
};

SmallFileResult ReadSmallFile(const std::string& path, std::size_t limit = kSmallFileLimit);

// The text before its first line end (carriage return or line feed).
std::string FirstLine(const std::string& text);

}  // namespace kvtk
