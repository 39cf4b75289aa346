#pragma once
// The demonstration line used by "kvtk --demo", "kvtk-cli --demo", the
// simulator program by default, and tests:
//
//   address  1  WQ16     5.00  an office floor: 16 inputs, 13 groups, inputs
//                              1, 3, 11 active, groups 1, 3, 7, 10, 11 on
//   address  2  KV-4800  4.00
//   address  3  KV-4800  3.00  (groups 1 to 12, one-byte member registers)
//   address  5  KV-4900  1.09  (early input words, 30 groups)
//   address  7  TMC-1400 4.00  relay 3 flagged bad, input 2 active, group 2 on
//   address 17  KV-4500  1.07  answers LR73 but gives no "KV" answer
//
// Every other address is silent.

#include <memory>

#include "sim/sim_line.h"

namespace kvtk {

std::unique_ptr<SimLine> MakeDemoLine();

}  // namespace kvtk
