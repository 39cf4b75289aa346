#pragma once
// The input editor's rules that need no window: the Input menu's commands on
// all inputs and the Linked On pairing. Inputs 1 and 2, 3 and 4, ... are
// partners; a Linked On input and its partner share type and timer.

#include <cstdint>

#include "model/configuration.h"

namespace kvtk {

inline int LinkedOnPartner(int input) {
    return ((input - 1) ^ 1) + 1;
}

// What a type or timer choice did to the partner: nothing, changed it, or
// found no partner among the panel's inputs (the choice stays all the same).
enum class PartnerEffect { kNone, kChanged, kMissing };

// Linked On makes the partner Linked On with this input's timer; any other
// type turns a Linked On partner into Momentary On. kMissing only for Linked On.
PartnerEffect ChooseInputType(Configuration& config, int input, int16_t type, int numInputs);
// A Linked On partner takes the new timer; kMissing whenever there is no partner.
PartnerEffect ChooseInputTimer(Configuration& config, int input, int16_t timer, int numInputs);

// The Input menu: every record 1..120, whatever the input count.
void SetAllInputTypes(Configuration& config, int16_t type);
void SetAllInputPolarities(Configuration& config, int16_t polarity);
void SetAllInputTimers(Configuration& config, int16_t timer);
void SetAllInputFlash(Configuration& config, int16_t flash);
// Input n controls group n up to the last group, the rest the lowest group
// number; with copyGroupNames the inputs take their groups' names.
void AutoAssignInputGroups(Configuration& config, bool copyGroupNames);
// "Input 7", or with fromGroups the name of the input's group ("" for none).
void CreateDefaultInputNames(Configuration& config, bool fromGroups);

}  // namespace kvtk
