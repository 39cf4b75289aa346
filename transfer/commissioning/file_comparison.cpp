#include "transfer/commissioning/file_comparison.h"

#include "files/config_reader.h"
#include "transfer/operations/panel_snapshot.h"

namespace kvtk {

FileResult LoadFileForDevice(const std::string& path, Configuration& config) {
    const FileResult result = ReadConfigFile(path, config, ReadMode::Full);
    if (result.Ok() && !config.Limits.SupergroupsAllowed)
        for (int g = 1; g <= kGroupCount; ++g) config.Groups[static_cast<size_t>(g)].Type = 0;
    return result;
}

PanelFileComparison CompareFileWithPanel(const std::string& path, const Configuration& like,
                                         PanelExchange& exchange, OperationHost& host) {
    PanelFileComparison comparison;
    Configuration file = BlankLike(like);
    comparison.File = LoadFileForDevice(path, file);
    if (!comparison.File.Ok()) {
        comparison.Outcome = PanelFileComparison::FileFailed;
        return comparison;
    }
    const PanelSnapshot panel = ReadPanelSnapshot(like, exchange, host, "Compare");
    // A register left unread would be compared at its default value.
    if (!panel.Complete()) {
        comparison.Outcome = PanelFileComparison::ReadStopped;
        return comparison;
    }
    comparison.Differences = ConfigurationDifferences(file, panel.Config);
    return comparison;
}

}  // namespace kvtk
