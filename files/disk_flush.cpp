#include "files/disk_flush.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kvtk {

int SyncFileToDisk(std::FILE* file) {
#ifdef _WIN32
    if (_commit(_fileno(file)) == 0) return 0;
    return errno == EBADF ? 0 : errno;
#else
    if (fsync(fileno(file)) == 0) return 0;
    // EINVAL and EROFS: this kind of file has no sync of its own.
    return errno == EINVAL || errno == EROFS ? 0 : errno;
#endif
}

void SyncFolderToDisk(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
#else
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
#endif
}

}  // namespace kvtk
