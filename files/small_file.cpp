#include "files/small_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/file_result.h"
#include "files/system_file_calls.h"

namespace kvtk {

SmallFileResult ReadSmallFile(const std::string& path, std::size_t limit) {
    namespace fs = std::filesystem;
    if (NamesADevice(path)) return {{}, "not a regular file"};
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        return {{}, SystemErrorText(ErrorNumber(ec))};
    if (!fs::exists(status)) return {{}, "no such file"};
    // Checked before opening: opening a pipe would wait for a writer.
    if (!fs::is_regular_file(status)) return {{}, "not a regular file"};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, SystemErrorText(errno != 0 ? errno : EIO)};
    std::string text(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return {{}, SystemErrorText(errno != 0 ? errno : EIO)};
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > limit) return {{}, "larger than " + std::to_string(limit) + " bytes"};
    return {text, {}};
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace kvtk
