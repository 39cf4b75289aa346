#pragma once
// The writer of configuration files (.kvx): one fixed text layout, CR LF line
// ends, written all or nothing.

#include <ctime>
#include <string>

#include "files/file_result.h"
#include "model/configuration.h"

namespace kvtk {

// What the header carries beside the product. The caller supplies the clock
// readings so that the same configuration always gives the same text.
struct FileStamp {
    std::string Date;         // month-day-year, "12-03-26"
    std::string Time;         // "hh:mm:ss", 24-hour clock
    std::string Description;  // trimmed by the writer
};

// The stamp of a file written at `when` (or now), by the local clock.
FileStamp LocalFileStamp(std::time_t when, const std::string& description);
FileStamp LocalFileStamp(const std::string& description);

// The complete file text for a configuration.
std::string ConfigFileText(const Configuration& config, const FileStamp& stamp);

// Whether a file of this text opens again: its header names a product this
// program handles. A panel read from a device that gave no real identity
// must not become a file the program itself refuses.
bool ConfigTextOpens(const std::string& text);

// Replaces (or creates) the file; a failure leaves any previous file intact.
FileResult WriteConfigFile(const std::string& fileName, const Configuration& config,
                           const FileStamp& stamp);

}  // namespace kvtk
