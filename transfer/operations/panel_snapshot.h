#pragma once
// Reading a panel into a configuration of its own, apart from the one being
// edited: the backup before a change and the check after a write both need
// the panel's state as it is, with nothing of the editor's values in it.

#include <functional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/operation_host.h"
#include "transfer/operations/write_configuration.h"

namespace kvtk {

// A configuration with the identity, limits, address and connection of
// `like` and every value at its start-up default.
Configuration BlankLike(const Configuration& like);

struct PanelSnapshot {
    Configuration Config;  // the panel's identity, limits, address and what was read
    bool Aborted = false;  // the user aborted the read
    int Skipped = 0;       // registers the user chose to ignore
    bool Complete() const { return !Aborted && Skipped == 0; }
};

// Reads the panel that `like` is connected to (its identity, limits,
// address and connection). Every exchange's description starts with
// `step` ("Backup: Input 5"), so the port window shows which step runs.
// `progress`, when given, hears before each register its number and the
// number of registers the read takes (known once the input count is read).
using SnapshotProgress = std::function<void(int register_, int registers)>;
PanelSnapshot ReadPanelSnapshot(const Configuration& like, PanelExchange& exchange,
                                OperationHost& host, const std::string& step,
                                const SnapshotProgress& progress = {});

// What a write with these options sends, as a comparison's scope: the parts
// chosen and the groups written.
CompareScope WriteScope(const Configuration& written, const WriteOptions& options);

struct WriteCheck {
    bool ReadComplete = false;  // false: the read-back was aborted or skipped registers
    std::vector<ConfigDifference> Differences;
    bool Verified() const { return ReadComplete && Differences.empty(); }
};

// Reads the panel back after a saved write and compares it with what was
// written: the parts the options chose, the groups the write sent.
WriteCheck CheckWrite(const Configuration& written, const WriteOptions& options,
                      const WriteOutcome& outcome, PanelExchange& exchange, OperationHost& host);

inline constexpr const char* kVerifiedText = "Verified: the device holds what was written.";

}  // namespace kvtk
