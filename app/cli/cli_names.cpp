#include "app/cli/cli_names.h"

#include <optional>
#include <sstream>

#include "app/cli/cli_files.h"
#include "files/config_reader.h"
#include "files/config_writer.h"
#include "files/file_header.h"
#include "files/names_csv.h"
#include "files/names_in_file.h"
#include "files/safe_save.h"
#include "model/conversions.h"
#include "model/products.h"

namespace kvtk::cli {
namespace {

std::ostream& Error(CommandContext& c) {
    return c.Err << "kvtk-cli: names: ";
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

struct LoadedKvx {
    Configuration Config;
    std::string Description;  // as the file holds it
    std::string Text;         // the whole file
};

// The file's configuration, held to the product named in its header.
std::optional<LoadedKvx> LoadKvx(CommandContext& c, const std::string& path) {
    const KvxFile kvx = ReadKvxFile(path);
    if (!kvx.Ok()) {
        Error(c) << path << ": " << kvx.Why << '\n';
        return std::nullopt;
    }
    LoadedKvx loaded{{}, DescriptionLine(kvx.Text), kvx.Text};
    Configuration& config = loaded.Config;
    ApplyIdentity(config, {kvx.Header.View.Model, kvx.Header.View.Version});
    std::istringstream in(kvx.Text);
    if (const FileResult read = ReadConfigStream(in, config, ReadMode::Full); !read.Ok()) {
        Error(c) << path << ": "
                 << (read.Outcome == FileOutcome::Damaged ? "the file could not be read completely."
                                                          : OneLine(read.Message))
                 << '\n';
        return std::nullopt;
    }
    return loaded;
}

int Save(CommandContext& c, const std::string& path, const std::string& bytes) {
    const FileResult saved = SaveFileAtomically(path, bytes);
    if (saved.Ok()) return kExitOk;
    Error(c) << path << ": " << OneLine(saved.Message) << '\n';
    return kExitFileError;
}

int Export(CommandContext& c) {
    const auto loaded = LoadKvx(c, c.Request.File);
    if (!loaded) return kExitFileError;
    const std::string text = NamesCsvText(loaded->Config);
    if (!c.Request.Output.empty()) return Save(c, c.Request.Output, text);
    c.Out << text << std::flush;
    return c.Out ? kExitOk : kExitFileError;
}

int Import(CommandContext& c) {
    const CliRequest& r = c.Request;
    auto loaded = LoadKvx(c, r.File);
    if (!loaded) return kExitFileError;
    std::string csv;
    if (const std::string why = ReadWholeFileOrWhy(r.NamesCsv, csv); !why.empty()) {
        Error(c) << r.NamesCsv << ": " << why << '\n';
        return kExitFileError;
    }
    NamesImport names = ParseNamesCsv(csv);
    if (names.Ok()) names.Refused = RowsBeyondConfiguration(names.Rows, loaded->Config);
    if (names.Ok()) names.Refused = NamesAConfigFileCannotKeep(names.Rows);
    // Only the name lines (and the stamp) change: the file's other values
    // stay byte for byte, also those the reader would have limited.
    NamesInFile edited;
    if (names.Ok()) {
        edited =
            PutNamesIntoFileText(loaded->Text, names.Rows, LocalFileStamp(loaded->Description));
        names.Refused = edited.Refused;
    }
    if (!names.Ok()) {
        Error(c) << r.NamesCsv << ": nothing was changed; rows refused:\n"
                 << RefusedRowsText(names.Refused);
        return kExitFileError;
    }
    const std::string target = r.Output.empty() ? r.File : r.Output;
    return Save(c, target, edited.Text);
}

}  // namespace

int RunNames(CommandContext& c) {
    return c.Request.NamesAction == "import" ? Import(c) : Export(c);
}

}  // namespace kvtk::cli
