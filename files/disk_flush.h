#pragma once
// Asking the system to put written data on the disk itself, not only in its
// cache: a power cut right after a save must not leave an empty file where
// the previous one was.

#include <cstdio>
#include <filesystem>

namespace kvtk {

// Pushes an open, already flushed C stream's data to the disk. Returns 0 or
// the system's error number; a file the system cannot sync (a device, some
// network mounts) counts as synced.
int SyncFileToDisk(std::FILE* file);

// Makes a rename inside `folder` survive a power cut. Best effort: nothing
// on systems without folder syncs (Windows), and failures are ignored, since
// the file itself is complete either way.
void SyncFolderToDisk(const std::filesystem::path& folder);

}  // namespace kvtk
