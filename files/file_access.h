#pragma once
// The checks made before a file is read whole or replaced: only regular
// files. A named pipe would block a read, a device such as /dev/zero never
// ends, and a save must never replace a device node, a pipe or a folder.

#include <cstdint>
#include <optional>
#include <string>

#include "files/file_result.h"

namespace kvtk {

// No configuration file comes near this size (a full one is about 20 KB): a
// larger file is refused instead of read.
inline constexpr std::uintmax_t kMaxConfigFileBytes = 4 * 1024 * 1024;

// Why `path` must not be replaced, under the "Write Error" title; nothing
// when it does not exist or is a regular file (a symbolic link is followed).
std::optional<FileResult> SaveTargetProblem(const std::string& path);

// Reads a whole regular file of at most `limit` bytes into `text`; otherwise
// the failure under the "File Error" title: missing, not a regular file,
// too large, or unreadable (permission denied).
FileResult ReadWholeFile(const std::string& path, std::string& text,
                         std::uintmax_t limit = kMaxConfigFileBytes);

}  // namespace kvtk
