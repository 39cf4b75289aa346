#pragma once
// Reads the whole configuration of the connected panel into the model:
// panel-wide registers, inputs 1..NumInputs, groups 1..MaxGroups and the
// group flash settings, one register per exchange, with Abort, Retry and
// Ignore on failures. Also the panel's memory self-check.

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"
#include "transfer/registers/register_map.h"

namespace kvtk {

struct ReadOutcome {
    // False when the user aborted; the model then holds a mixture of the
    // values read and the values it had.
    bool Completed = false;
    // The registers skipped on Ignore, by their descriptions ("Input 3"):
    // their fields kept the values they had before the read.
    std::vector<std::string> Skipped;
    // Some input read carried an extended type (the type-extension bit):
    // on older firmware the caller rules out "Set All As Type" entries.
    bool ExtendedTypeRead = false;
};

// Reports "started", a step per panel-wide row and "finished", whichever
// way it ends. Afterwards the caller refreshes the input editor at the
// first input.
ReadOutcome ReadConfiguration(Configuration& config, PanelExchange& exchange, OperationHost& host);

// The registers a read of the panel behind `config` asks for, with the
// input count it holds (the read takes the panel's count first).
int ReadRegisterCount(const Configuration& config);

// Asks "LR72" without any message and stores the EPROM and EEPROM results
// ("OK", "Error!", "Unknown") in the status.
MemoryCheckResult CheckMemory(Configuration& config, PanelExchange& exchange);

// The progress text of an input read, e.g. "12,1,0,Off,Open".
std::string InputProgressText(const InputConfig& input);

}  // namespace kvtk
