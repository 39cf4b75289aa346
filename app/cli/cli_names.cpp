#include "app/cli/cli_names.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "files/file_header.h"
#include "files/names_csv.h"
#include "files/safe_save.h"
#include "model/conversions.h"
#include "model/products.h"

namespace kvtk::cli {
namespace {

std::ostream& Error(CommandContext& c) {
    return c.Err << "kvtk-cli: names: ";
}

std::optional<std::string> FileBytes(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in && !in.eof()) return std::nullopt;
    return bytes.str();
}

// The description exactly as the file holds it (the header reader gives it
// in upper case), so that writing the file again keeps it.
std::string DescriptionLine(const std::string& text) {
    const std::string key = "\nDesc=";
    const auto at = text.find(key);
    if (at == std::string::npos) return {};
    const auto from = at + key.size();
    return text.substr(from, text.find_first_of("\r\n", from) - from);
}

// The file's configuration, held to the product named in its header.
std::optional<Configuration> LoadKvx(CommandContext& c, const std::string& path) {
    const HeaderReadResult header = ReadHeader(path);
    if (!header.Usable()) {
        Error(c) << path << ": "
                 << (header.Status == HeaderStatus::UnlistedModel
                         ? kUnlistedModelText
                         : "no such file, or it has no valid configuration header.")
                 << '\n';
        return std::nullopt;
    }
    Configuration config;
    config.Identity = {header.View.Model, header.View.Version};
    ApplyProductCapabilities(config, config.Identity.Model, config.Identity.Version);
    if (!ReadConfigFile(path, config, ReadMode::Full).Ok()) {
        Error(c) << path << ": the file could not be read completely.\n";
        return std::nullopt;
    }
    return config;
}

int Save(CommandContext& c, const std::string& path, const std::string& bytes) {
    const FileResult saved = SaveFileAtomically(path, bytes);
    if (saved.Ok()) return kExitOk;
    std::string message = saved.Message;
    for (char& ch : message)
        if (ch == '\r' || ch == '\n') ch = ' ';
    Error(c) << path << ": " << Trim(message) << '\n';
    return kExitFileError;
}

int Export(CommandContext& c) {
    const auto config = LoadKvx(c, c.Request.File);
    if (!config) return kExitFileError;
    const std::string text = NamesCsvText(*config);
    if (!c.Request.Output.empty()) return Save(c, c.Request.Output, text);
    c.Out << text << std::flush;
    return c.Out ? kExitOk : kExitFileError;
}

int Import(CommandContext& c) {
    const CliRequest& r = c.Request;
    auto config = LoadKvx(c, r.File);
    if (!config) return kExitFileError;
    const std::optional<std::string> csv = FileBytes(r.NamesCsv);
    if (!csv) {
        Error(c) << r.NamesCsv << ": no such file, or it cannot be read.\n";
        return kExitFileError;
    }
    NamesImport names = ParseNamesCsv(*csv);
    if (names.Ok()) names.Refused = NamesAConfigFileCannotKeep(names.Rows);
    if (!names.Ok()) {
        Error(c) << r.NamesCsv << ": nothing was changed; rows refused:\n"
                 << RefusedRowsText(names.Refused);
        return kExitFileError;
    }
    ApplyNames(*config, names.Rows);
    const std::string description = DescriptionLine(FileBytes(r.File).value_or(""));
    const std::string target = r.Output.empty() ? r.File : r.Output;
    return Save(c, target, ConfigFileText(*config, LocalFileStamp(description)));
}

}  // namespace

int RunNames(CommandContext& c) {
    return c.Request.NamesAction == "import" ? Import(c) : Export(c);
}

}  // namespace kvtk::cli
