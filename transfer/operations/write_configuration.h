#pragma once
// Writes the configuration in memory to the connected panel (the parts the
// user chose) and has the panel save it to its EEPROM, with the timed wait
// the product needs. Failures offer Retry and Cancel; a cancel anywhere
// skips the rest and the save, and disables writing again with "LSU".

#include <cstdint>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"
#include "transfer/operations/register_contents.h"

namespace kvtk {

// The choices of the write options dialog. The dialog keeps them between
// uses; its Cancel clears all three parts.
struct WriteOptions {
    bool Header = true;      // "&Header (Flash, Timers, Relays, etc.)"
    bool Inputs = true;      // "&Input Configurations"
    bool Groups = true;      // "&Group Information"
    int32_t GroupCount = 0;  // "Number of groups to write:", set to MaxGroups on opening
    // "Write only the changes": only the registers whose value differs from
    // what a read just found are sent (the save and its wait stay the same).
    bool ChangesOnly = false;

    bool AnyChosen() const { return Header || Inputs || Groups; }
};

// The pause before "LSU" after a stopped write, so that a late reply to the
// last command is not taken for its answer.
inline constexpr int kWriteDisablePauseMs = 1000;

enum class WriteResult {
    NothingChosen,    // no part was chosen: nothing was sent
    Saved,            // written and saved to EEPROM
    Cancelled,        // the user cancelled: nothing saved, writing disabled
    NothingToChange,  // changes only, and the panel holds every value: nothing was sent
};

struct WriteOutcome {
    WriteResult Result = WriteResult::NothingChosen;
    // The counts actually used. A typed group count above MaxGroups (or below
    // 0) and an inputs count above MaxInputs have no panel registers behind
    // them; they are cut to the product's limits and flagged here.
    int32_t InputsWritten = 0;
    int32_t GroupCountUsed = 0;
    bool InputCountClamped = false;
    bool GroupCountClamped = false;
    // After a cancel: the panel accepted "LSU". When false (the link was
    // lost, say) the panel may still accept writes.
    bool WritingDisabled = false;
    // The register writes sent (or, after a cancel, that were to be sent),
    // the write enable and the saves not counted.
    int RegistersToWrite = 0;
};

// With `options.ChangesOnly`, `panel` holds what a read of the panel just
// found; a write command that would store what a register already holds is
// left out. Without it (or without `panel`) every register is written.
WriteOutcome WriteConfiguration(const Configuration& config, const WriteOptions& options,
                                PanelExchange& exchange, OperationHost& host,
                                const RegisterContents* panel = nullptr);

// The wait after the save: 5 s from firmware 4.0; below it none for the
// KV-4800 and 25 s for every other product. Milliseconds 0 means no wait.
TimedWait SavingWait(const ProductIdentity& identity);

}  // namespace kvtk
