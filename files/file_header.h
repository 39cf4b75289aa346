#pragma once
// The header of a configuration file as the file dialogs' information panel
// shows it ("File Information"), read without touching the configuration.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

namespace kvtk {

enum class HeaderStatus : int16_t {
    Usable = 0,
    UnlistedModel = 1,  // the product is not one this program handles
    Unreadable = 2,     // cannot be opened, too short, or no blank in the product line
};

inline constexpr const char* kUnlistedModelText =
    "This file does not contain the type of data used by this program.";

// The six value fields of the information panel. Date, time and
// description are upper case, as read.
struct FileHeaderView {
    std::string Model;                  // lblProductType
    std::string Version;                // lblVersion
    std::string Date;                   // lblDate
    std::string Time;                   // lblTime
    std::string Description;            // txtDescription
    std::string Address;                // lblAddress
    bool DescriptionIsWarning = false;  // shown in red (the unlisted-model text)
};

struct HeaderReadResult {
    HeaderStatus Status = HeaderStatus::Unreadable;
    FileHeaderView View;  // what was filled in before any failure
    bool Usable() const { return Status == HeaderStatus::Usable; }
};

HeaderReadResult ReadHeader(const std::string& fileName);
HeaderReadResult ReadHeaderStream(std::istream& in);

// The model name of a product line, upper case, normalised to the way the
// program names it ("KV4800" -> "KV-4800"); nothing for an unlisted model.
std::optional<std::string> NormaliseFileModel(const std::string& upperModel);

}  // namespace kvtk
