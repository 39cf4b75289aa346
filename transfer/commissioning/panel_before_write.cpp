#include "transfer/commissioning/panel_before_write.h"

namespace kvtk {

PanelBeforeWrite ReadBeforeWrite(const Configuration& config, const WriteOptions& options,
                                 PanelExchange& exchange, OperationHost& host,
                                 const BackupRequest* backup) {
    PanelBeforeWrite before;
    before.Read = true;
    RegisterRecorder recorder(exchange, before.Registers);
    before.Panel = backup ? ReadForBackup(config, recorder, host, *backup)
                          : ReadPanelSnapshot(config, recorder, host, "Read");
    if (!before.Panel.Aborted)
        before.Differences =
            ConfigurationDifferences(config, before.Panel.Config, WriteScope(config, options));
    return before;
}

}  // namespace kvtk
