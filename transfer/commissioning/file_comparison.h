#pragma once
// "Compare With File..." and `kvtk-cli verify`: a .kvx file loaded for the
// connected device, the panel read into a configuration of its own, and
// the differences of the one comparison (config_compare.h).

#include <string>
#include <vector>

#include "files/file_result.h"
#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

// Loads a file into a configuration that carries the device's identity and
// limits, as "Load data for use with the current device." does: every value
// is held to what this product accepts.
FileResult LoadFileForDevice(const std::string& path, Configuration& config);

struct PanelFileComparison {
    // ReadStopped: the read was aborted or skipped registers; nothing compared.
    enum Result { Compared, FileFailed, ReadStopped } Outcome = Compared;
    FileResult File;  // why the file could not be loaded
    std::vector<ConfigDifference> Differences;
};

// The file first (a file that cannot be loaded costs no panel traffic),
// then the panel that `like` is connected to.
PanelFileComparison CompareFileWithPanel(const std::string& path, const Configuration& like,
                                         PanelExchange& exchange, OperationHost& host);

}  // namespace kvtk
