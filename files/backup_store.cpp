#include "files/backup_store.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/safe_save.h"
#include "files/system_file_calls.h"
#include "model/local_time.h"

namespace kvtk {
namespace {

namespace fs = std::filesystem;

std::string Format(const std::tm& time, const char* format) {
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &time));
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool FileNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

}  // namespace

std::string DefaultBackupFolder() {
#ifdef _WIN32
    fs::path data = Environment("LOCALAPPDATA");
#else
    fs::path data = Environment("XDG_DATA_HOME");
    if (!data.is_absolute() && !Environment("HOME").empty())
        data = fs::path(Environment("HOME")) / ".local" / "share";
#endif
    // Never a folder relative to wherever the program was started.
    if (!data.is_absolute()) return {};
    return NarrowPath(data / "kvtk" / "backups");
}

std::string BackupFileName(std::time_t when, int address, const std::string& model) {
    std::string product = model.empty() ? "unknown" : model;
    for (char& c : product)
        if (!FileNameCharacter(c)) c = '_';
    char number[8];
    std::snprintf(number, sizeof number, "%03d", address);
    return Format(LocalTime(when), "%Y-%m-%d_%H%M") + "_addr" + number + "_" + product + ".kvx";
}

BackupSave SaveNewBackup(const std::string& folder, const std::string& name,
                         std::string_view text) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return {SystemFailureResult(kWriteErrorTitle, ErrorNumber(ec)), ""};
    const fs::path base = fs::path(folder) / name;
    const std::string stem = NarrowPath(base.stem());
    const std::string extension = NarrowPath(base.extension());
    for (int n = 1; n < 1000; ++n) {
        const fs::path candidate =
            n == 1 ? base : base.parent_path() / (stem + "_" + std::to_string(n) + extension);
        // Claim the name first, so that no other file can be replaced.
        errno = 0;
        std::FILE* claim = CreateNewFile(candidate);
        if (!claim) {
            if (errno == EEXIST) continue;
            return {SystemFailureResult(kWriteErrorTitle, errno != 0 ? errno : EIO), ""};
        }
        std::fclose(claim);
        const FileResult result = SaveFileAtomically(NarrowPath(candidate), text);
        if (!result.Ok()) fs::remove(candidate, ec);  // only the empty claim is there
        return {result, result.Ok() ? NarrowPath(candidate) : ""};
    }
    return {SystemFailureResult(kWriteErrorTitle, EEXIST), ""};
}

}  // namespace kvtk
