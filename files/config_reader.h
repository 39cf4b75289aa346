#pragma once
// The reader of configuration files (.kvx). It changes the configuration in
// place; on a failure every value already taken from the file stays and the
// rest keeps its former value.

#include <istream>
#include <string>

#include "files/file_result.h"
#include "model/configuration.h"

namespace kvtk {

enum class ReadMode {
    Full,       // every value of the file
    NamesOnly,  // the panel name, input names and group names only
};

FileResult ReadConfigFile(const std::string& fileName, Configuration& config, ReadMode mode);

// The same reader over any stream (the file reader opens the file and calls this).
FileResult ReadConfigStream(std::istream& in, Configuration& config, ReadMode mode);

}  // namespace kvtk
