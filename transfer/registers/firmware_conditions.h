#pragma once
// The product and firmware conditions that change how registers are
// transferred, all taken from the identity shown in the main window. The
// transfers ask these instead of comparing models and versions themselves.

#include "model/configuration.h"

namespace kvtk {

// Layouts of the per-input register 9.
enum class InputLayout {
    Current,  // KV-4800 (any firmware) or firmware 1.1 and up
    Early,    // every other product below 1.1
};

InputLayout InputWordLayout(const ProductIdentity& id);

// Bytes of the group member register 3: read as 1 byte on a KV-4800 below
// 4.0, written as 1 byte on every KV-4800; 8 bytes otherwise.
int MemberReadBytes(const ProductIdentity& id);
int MemberWriteBytes(const ProductIdentity& id);

// A KV-4500 below 1.1 takes the flash off time as a code, not in tenths.
bool UsesFlashOffCodeTable(const ProductIdentity& id);

// A KV-4600 below 1.1 has no writable group 60.
bool SkipsGroup60OnWrite(const ProductIdentity& id);

// Special options (register 24) exist from firmware 2.06.
bool TransfersSpecialOptions(const ProductIdentity& id);

// Group flash (register 23) exists above firmware 1.18 (1.18 excluded).
bool TransfersGroupFlash(const ProductIdentity& id);

// Group type (register 21) is transferred only where supergroups exist.
bool TransfersGroupType(const CapabilityLimits& limits);

}  // namespace kvtk
