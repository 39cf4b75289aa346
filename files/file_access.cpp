#include "files/file_access.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "files/system_file_calls.h"

namespace kvtk {
namespace {

namespace fs = std::filesystem;

const char* SpecialKind(fs::file_type type) {
    switch (type) {
        case fs::file_type::fifo:
            return "a named pipe";
        case fs::file_type::character:
            return "a character device";
        case fs::file_type::block:
            return "a block device";
        case fs::file_type::socket:
            return "a socket";
        default:
            return "a special file";
    }
}

// Nothing for a regular file or one that does not exist (yet).
std::optional<FileResult> NotRegular(const std::string& path, const std::string& title) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (NamesADevice(path)) status = fs::file_status(fs::file_type::character);
    if (!fs::exists(status) || fs::is_regular_file(status)) return std::nullopt;
    if (fs::is_directory(status)) return SystemFailureResult(title, EISDIR);
    return OtherFailureResult(FileOutcome::Other, title,
                              std::string("Not a regular file but ") + SpecialKind(status.type()),
                              kNotARegularFile);
}

FileResult TooLarge() {
    return OtherFailureResult(FileOutcome::Other, kFileErrorTitle,
                              "The file is too large to be a configuration file", kFileTooLarge);
}

}  // namespace

std::optional<FileResult> SaveTargetProblem(const std::string& path) {
    return NotRegular(path, kWriteErrorTitle);
}

FileResult ReadWholeFile(const std::string& path, std::string& text, std::uintmax_t limit) {
    if (auto problem = NotRegular(path, kFileErrorTitle)) return *problem;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > limit) return TooLarge();
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return SystemFailureResult(kFileErrorTitle, errno != 0 ? errno : ENOENT);
    // A file that grows while it is read is still held to the limit.
    text.clear();
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > limit) return TooLarge();
    }
    if (in.bad()) return SystemFailureResult(kFileErrorTitle, errno != 0 ? errno : EIO);
    return {};
}

}  // namespace kvtk
