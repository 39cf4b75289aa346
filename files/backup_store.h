#pragma once
// Where the configuration backups go and how they are named. A backup is a
// plain .kvx file, written all or nothing, that never replaces an existing
// file: a second backup in the same minute gets "_2", "_3", ... The tool
// never deletes a backup.

#include <ctime>
#include <string>
#include <string_view>

#include "files/config_writer.h"
#include "files/file_result.h"

namespace kvtk {

// "<data folder>/kvtk/backups": the platform's data location
// (XDG_DATA_HOME or ~/.local/share; %LOCALAPPDATA% on Windows). Empty
// when the environment names no absolute data folder.
std::string DefaultBackupFolder();

// "2026-12-06_1405_addr003_KV-4800.kvx" in local time; characters a file
// name cannot hold become "_".
std::string BackupFileName(std::time_t when, int address, const std::string& model);

struct BackupSave {
    FileResult Result;
    std::string Path;  // the file written
};

// Writes `text` as a new file named `name` in `folder` (created when
// missing), or under the first free "_N" variant of the name.
BackupSave SaveNewBackup(const std::string& folder, const std::string& name, std::string_view text);

}  // namespace kvtk
