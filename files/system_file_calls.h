#pragma once
// The few file calls whose standard forms fall short on Windows: fopen's
// exclusive "x" is ignored by its C runtime (an existing file is truncated),
// a rename does not wait for the disk, and the library reports some failures
// in the system's own numbers instead of errno's.

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kvtk {

// Creates `path` for binary writing, failing with errno EEXIST when it exists.
std::FILE* OpenNewFile(const std::filesystem::path& path);

// Renames `from` over `to`, replacing it. Returns 0 or an errno number.
int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The errno number of a failure reported through std::error_code.
int ErrorNumber(const std::error_code& ec);

}  // namespace kvtk
