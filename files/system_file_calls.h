#pragma once
// The few file calls whose standard forms fall short on Windows: fopen's
// exclusive "x" is ignored by its C runtime (an existing file is truncated),
// a rename does not wait for the disk, and the library reports some failures
// in the system's own numbers instead of errno's.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace kvtk {

// Creates `path` for binary writing, failing with errno EEXIST when it exists.
std::FILE* OpenNewFile(const std::filesystem::path& path);

// Renames `from` over `to`, replacing it. Returns 0 or an errno number.
int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The errno number of a failure reported through std::error_code.
int ErrorNumber(const std::error_code& ec);

// A path as the narrow text the rest of the program passes around, the form
// std::filesystem::path(std::string) reads back: on Windows the ANSI code page
// (the library's own path::string() gives UTF-8 there, which reads back as
// other characters), elsewhere the bytes as they are.
std::string NarrowPath(const std::filesystem::path& path);

// Whether Windows takes the name for one of its devices: CON, NUL, COM1,
// LPT1 and the like, in any folder and with any extension ("COM1.kvx" is the
// serial port). The library calls such a name missing; opening it reaches
// the device. Never true elsewhere.
bool NamesADevice(const std::filesystem::path& path);

}  // namespace kvtk
