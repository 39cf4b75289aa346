#include "files/system_file_calls.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kvtk {

#ifdef _WIN32

namespace {

int ErrnoOfWindowsError(unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
            return EINVAL;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        default:
            return EIO;
    }
}

}  // namespace

std::FILE* OpenNewFile(const std::filesystem::path& path) {
    const int fd =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        const int error = errno;
        _close(fd);
        errno = error;
    }
    return file;
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Write-through: the call returns once the rename is on the disk, as a
    // folder sync does elsewhere.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return ErrnoOfWindowsError(GetLastError());
}

int ErrorNumber(const std::error_code& ec) {
    if (ec.category() == std::system_category())
        return ErrnoOfWindowsError(static_cast<unsigned long>(ec.value()));
    return ec.value();
}

#else

std::FILE* OpenNewFile(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return ec.value();
}

int ErrorNumber(const std::error_code& ec) {
    return ec.value();
}

#endif

}  // namespace kvtk
