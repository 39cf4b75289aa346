#pragma once
// Saving that never destroys the previous file: the text goes to a temporary
// file beside the target, and only a completely written file, synced to the
// disk, is renamed over the target (the folder is synced after the rename).
// A failure leaves the old file as it was.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "files/file_result.h"

namespace kvtk {

// Writes every byte to an open C stream and flushes it. Exposed so that a
// failing device (such as /dev/full) can stand in for a file in tests.
FileResult WriteAllBytes(std::FILE* file, std::string_view bytes);

// Opens the temporary file for writing; nullptr with errno set on failure.
// The default creates `candidate` exclusively; tests substitute a device.
using TemporaryOpener = std::function<std::FILE*(const std::filesystem::path& candidate)>;
std::FILE* CreateNewFile(const std::filesystem::path& candidate);

// Replaces (or creates) `path` with `bytes`, all or nothing.
FileResult SaveFileAtomically(const std::string& path, std::string_view bytes,
                              const TemporaryOpener& open = CreateNewFile);

}  // namespace kvtk
