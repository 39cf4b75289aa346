#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kvtk::test {

class TestFolder {
public:
    TestFolder() {
        // A name nobody holds: create_directory() is false for an existing one.
        std::random_device seed;
        std::mt19937 pick(seed());
        const std::filesystem::path temporary = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = temporary / ("kvtk-" + std::to_string(pick() % 1000000000u));
            if (std::filesystem::create_directory(path_)) return;
        }
        std::abort();  // never fall back to the working folder
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// `text` without the lines that start with one of `keys`, such as the date
// and time a save stamps anew.
inline std::string WithoutLines(const std::string& text,
                                std::initializer_list<std::string_view> keys) {
    std::string kept;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (std::none_of(keys.begin(), keys.end(),
                         [&line](std::string_view key) { return line.starts_with(key); }))
            kept += line + '\n';
    return kept;
}

// Named pipes, devices such as /dev/zero (files that never end), symbolic
// links and permission bits: Windows has none of them for a plain user.
#ifdef _WIN32
inline constexpr bool kPosixFiles = false;
inline bool MakePipe(const std::string&) {
    return false;
}
#else
inline constexpr bool kPosixFiles = true;
inline bool MakePipe(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}
#endif

inline void PutFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace kvtk::test
