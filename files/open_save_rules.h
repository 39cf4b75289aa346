#pragma once
// The pure rules of the Open and Save commands: the file name a save uses,
// how a file's product, version and address compare with the main window's,
// and the texts shown for them.

#include <optional>
#include <string>

#include "files/file_header.h"
#include "model/configuration.h"

namespace kvtk {

inline constexpr const char* kFileFilter = "KVTK Data Files|*.kvx|All Files|*.*";
inline constexpr const char* kSaveDialogTitle = "Save file";
inline constexpr const char* kOpenDialogTitle = "Open file";
inline constexpr const char* kNamesOnlySuffix = " - names only";
inline constexpr const char* kInvalidHeaderText =
    "File selected contains invalid header. Please select a different file.";

// The name a save writes: only the file-name part (after the last "/" or "\")
// is changed. Without a "." there, ".kvx" is appended; otherwise everything
// from its first "." on becomes ".kvx". "panel.old.txt" -> "panel.kvx";
// "/data/v1.2/panel" -> "/data/v1.2/panel.kvx".
std::string KvxFileName(const std::string& chosenPath);

// "File '<name>' already exists!" CR "Do you want to overwrite it?"
std::string OverwriteQuestion(const std::string& fileName);

// The main window's identity and address against a file's header.
struct FileComparison {
    bool AddressDiffers = false;
    bool SameProduct = false;
    bool VersionDiffers = false;
    // Same address, product and version: open without asking.
    bool Matches() const { return !AddressDiffers && SameProduct && !VersionDiffers; }
};
FileComparison CompareWithFile(const ProductIdentity& shown, const std::string& shownAddress,
                               const FileHeaderView& file);

// "This is a different " + what differs; nothing when the file matches.
std::optional<std::string> DifferenceText(const FileComparison& comparison);

// The Open Option dialog's two information lines.
std::string CurrentDeviceText(const ProductIdentity& shown, const std::string& shownAddress,
                              bool online);
std::string FileDeviceText(const FileHeaderView& file);

// "KV Programming Kit V5.1 - <file>" and "(<description>)" when there is one.
std::string MainWindowCaption(const std::string& fileName, const std::string& description);

}  // namespace kvtk
