#include "transfer/site/site_folder.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "files/config_reader.h"
#include "files/file_access.h"
#include "files/file_header.h"
#include "model/products.h"

namespace kvtk {
namespace {

bool IsKvxName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension == ".kvx";
}

std::string OneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r' || ch == '\n') ch = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

SiteCandidate ReadCandidate(const std::filesystem::path& path) {
    SiteCandidate candidate;
    candidate.Name = path.filename().string();
    candidate.Path = path.string();
    std::string text;
    const FileResult read = ReadWholeFile(candidate.Path, text);
    if (!read.Ok()) {
        candidate.Why =
            OneLine(read.Message.empty() ? "the file could not be read." : read.Message);
        return candidate;
    }
    std::istringstream headerIn(text);
    const HeaderReadResult header = ReadHeaderStream(headerIn);
    if (!header.Usable()) {
        candidate.Why = header.Status == HeaderStatus::UnlistedModel
                            ? kUnlistedModelText
                            : "the file has no valid configuration header.";
        return candidate;
    }
    Configuration config;
    ApplyIdentity(config, {header.View.Model, header.View.Version});
    std::istringstream whole(text);
    const FileResult loaded = ReadConfigStream(whole, config, ReadMode::Full);
    if (!loaded.Ok()) {
        candidate.Why = OneLine(loaded.Message.empty() ? "the file is damaged." : loaded.Message);
        return candidate;
    }
    candidate.AddressText = header.View.Address;
    candidate.Model = header.View.Model;
    candidate.Version = header.View.Version;
    return candidate;
}

}  // namespace

SiteFiles ReadSiteFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        SiteFiles site;
        site.Refusal = folder + " is not a folder.";
        return site;
    }
    std::vector<SiteCandidate> candidates;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // A folder or device named *.kvx is no configuration; the reader says so.
        if (IsKvxName(it->path())) candidates.push_back(ReadCandidate(it->path()));
    }
    if (ec) {
        SiteFiles site;
        site.Refusal = folder + ": the folder could not be read (" + ec.message() + ").";
        return site;
    }
    return MatchSiteFiles(std::move(candidates));
}

}  // namespace kvtk
