#include "files/open_save_rules.h"

#include "model/conversions.h"
#include "model/products.h"

namespace kvtk {

std::string KvxFileName(const std::string& chosenPath) {
    const auto separator = chosenPath.find_last_of("/\\");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const auto dot = chosenPath.find('.', nameStart);
    if (dot == std::string::npos) return Trim(chosenPath) + ".kvx";
    return chosenPath.substr(0, dot) + ".kvx";
}

std::string OverwriteQuestion(const std::string& fileName) {
    return "File '" + fileName + "' already exists!\rDo you want to overwrite it?";
}

FileComparison CompareWithFile(const ProductIdentity& shown, const std::string& shownAddress,
                               const FileHeaderView& file) {
    FileComparison c;
    c.AddressDiffers = RoundHalfEven(NumericValue(shownAddress) - NumericValue(file.Address)) != 0;
    c.SameProduct = ProductMatch(Trim(shown.Model), Trim(file.Model)) != ModelMatch::None;
    // The header just read is the last file header seen.
    const FileHeaderInfo header{file.Model, file.Version};
    c.VersionDiffers =
        VersionCompare(Trim(shown.Version), Trim(file.Version), header) != VersionOrder::Equal;
    return c;
}

std::optional<std::string> DifferenceText(const FileComparison& c) {
    if (c.Matches()) return std::nullopt;
    std::string what;
    if (!c.AddressDiffers)
        what = c.SameProduct ? "version." : "product type.";
    else if (!c.SameProduct)
        what = "address and product type.";
    else
        what = c.VersionDiffers ? "address and version." : "address.";
    return "This is a different " + what;
}

std::string CurrentDeviceText(const ProductIdentity& shown, const std::string& shownAddress,
                              bool online) {
    return std::string("You are ") + (online ? "connected to and " : "") +
           "programming data for an " + shown.Model + " Version " + shown.Version + " at address " +
           shownAddress + ".";
}

std::string FileDeviceText(const FileHeaderView& file) {
    return "You are opening a file for an " + file.Model + " Version " + file.Version +
           " at address " + file.Address + ".";
}

std::string MainWindowCaption(const std::string& fileName, const std::string& description) {
    std::string caption = "KV Programming Kit V5.1 - " + fileName;
    const std::string trimmed = Trim(description);
    if (!trimmed.empty()) caption += "(" + trimmed + ")";
    return caption;
}

}  // namespace kvtk
