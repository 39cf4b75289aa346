#include "app/cli/cli_files.h"

#include <sstream>

#include "files/file_access.h"

namespace kvtk::cli {

std::string OneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r' || ch == '\n') ch = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string ReadWholeFileOrWhy(const std::string& path, std::string& text) {
    const FileResult readable = ReadWholeFile(path, text);
    if (readable.Ok()) return {};
    return readable.Outcome == FileOutcome::PathNotFound ? "no such file."
                                                         : OneLine(readable.Message);
}

KvxFile ReadKvxFile(const std::string& path) {
    KvxFile file;
    file.Why = ReadWholeFileOrWhy(path, file.Text);
    if (!file.Ok()) return file;
    std::istringstream in(file.Text);
    file.Header = ReadHeaderStream(in);
    if (!file.Header.Usable())
        file.Why = file.Header.Status == HeaderStatus::UnlistedModel
                       ? kUnlistedModelText
                       : "the file has no valid configuration header.";
    return file;
}

}  // namespace kvtk::cli
