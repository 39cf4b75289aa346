#pragma once
// The panel as it is just before a write: the read (the backup's, or one of
// its own), what differs from what will be written (the comparison verify
// makes, over the parts and groups the write sends) and what each register
// held, so that a write of the changes only can leave out what is there.

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/commissioning/panel_backup.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/operation_host.h"
#include "transfer/operations/panel_snapshot.h"
#include "transfer/operations/register_contents.h"
#include "transfer/operations/write_configuration.h"

namespace kvtk {

struct PanelBeforeWrite {
    bool Read = false;  // a read was made (it may have been stopped)
    PanelSnapshot Panel;
    RegisterContents Registers;
    // Empty when the read was stopped: nothing could be compared.
    std::vector<ConfigDifference> Differences;
};

// Reads the panel `config` is connected to. With `backup`, the read is the
// backup's ("Backup: ..." in the port window, its progress as asked for);
// without, its descriptions start with "Read: ".
PanelBeforeWrite ReadBeforeWrite(const Configuration& config, const WriteOptions& options,
                                 PanelExchange& exchange, OperationHost& host,
                                 const BackupRequest* backup = nullptr);

// Said when nothing differs.
inline constexpr const char* kNothingDiffersText = "Nothing differs";

}  // namespace kvtk
