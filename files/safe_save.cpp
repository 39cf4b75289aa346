#include "files/safe_save.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/disk_flush.h"
#include "files/file_access.h"
#include "files/system_file_calls.h"

namespace kvtk {
namespace {

namespace fs = std::filesystem;

int LastErrorOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

// Opens a new file beside the target under the first free temporary name.
std::FILE* OpenTemporary(const fs::path& target, const TemporaryOpener& open, fs::path& chosen,
                         int& error) {
    error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        chosen = target;
        chosen += ".tmp" + std::to_string(attempt);
        errno = 0;
        if (std::FILE* file = open(chosen)) return file;
        error = LastErrorOr(EIO);
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

// The file to replace: a symbolic link is followed so that the link stays.
fs::path ResolveTarget(const std::string& path) {
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

}  // namespace

std::FILE* CreateNewFile(const fs::path& candidate) {
    // Exclusive, so a stale temporary of another save is never reused or
    // truncated.
    return OpenNewFile(candidate);
}

FileResult WriteAllBytes(std::FILE* file, std::string_view bytes) {
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return SystemFailureResult(kWriteErrorTitle, LastErrorOr(EIO));
    if (std::fflush(file) != 0) return SystemFailureResult(kWriteErrorTitle, LastErrorOr(EIO));
    if (std::ferror(file)) return SystemFailureResult(kWriteErrorTitle, LastErrorOr(EIO));
    return {};
}

FileResult SaveFileAtomically(const std::string& path, std::string_view bytes,
                              const TemporaryOpener& open) {
    const fs::path target = ResolveTarget(path);
    // A device node, pipe or folder is never replaced by a regular file.
    if (auto problem = SaveTargetProblem(NarrowPath(target))) return *problem;
    fs::path temporary;
    int openError = 0;
    std::FILE* file = OpenTemporary(target, open, temporary, openError);
    if (!file) return SystemFailureResult(kWriteErrorTitle, openError);

    FileResult result = WriteAllBytes(file, bytes);
    // On the disk before the rename, or a power cut could leave the target
    // renamed to a file whose data never arrived.
    if (result.Ok())
        if (const int error = SyncFileToDisk(file); error != 0)
            result = SystemFailureResult(kWriteErrorTitle, error);
    errno = 0;
    if (std::fclose(file) != 0 && result.Ok())
        result = SystemFailureResult(kWriteErrorTitle, LastErrorOr(EIO));

    std::error_code ec;
    if (result.Ok()) {
#ifndef _WIN32
        // Keep the permissions of the file being replaced. (Windows has only
        // the read-only flag, and a read-only file is never replaced there.)
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
#endif
        const int error = RenameOver(temporary, target);
        if (error == 0) {
            SyncFolderToDisk(target.parent_path());  // the rename itself
            return result;
        }
        result = SystemFailureResult(kWriteErrorTitle, error);
    }
    fs::remove(temporary, ec);
    return result;
}

}  // namespace kvtk
