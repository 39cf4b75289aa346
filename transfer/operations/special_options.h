#pragma once
// The special options mask: one check box per bit, and the rule that
// Option 2 needs Option 1.

#include <array>
#include <cstdint>

namespace kvtk {

inline constexpr int kSpecialOptionCount = 8;

// Captions of boxes 0..7 (box i stands for bit i).
const std::array<const char*, kSpecialOptionCount>& SpecialOptionCaptions();

// Which boxes are checked for a mask.
std::array<bool, kSpecialOptionCount> SpecialOptionBoxes(int32_t mask);

// The mask after box `box` (0..7) was set to `checked`: clearing "Option 1"
// also clears "Option 2"; checking "Option 2" also checks "Option 1".
// Clearing a bit also clears every bit above 7. A box outside 0..7 changes
// nothing.
int32_t ClickSpecialOption(int32_t mask, int box, bool checked);

}  // namespace kvtk
