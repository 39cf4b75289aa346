#pragma once
// kvtk-cli names: the input and group names of a .kvx file to and from a
// spreadsheet (CSV). No panel is involved.

#include "app/cli/cli_commands.h"

namespace kvtk::cli {

// names export FILE.kvx [-o names.csv]: standard output without -o.
// names import FILE.kvx names.csv [-o OUT.kvx]: in place without -o; any
// refused row changes nothing (exit 4, each row named with its line).
int RunNames(CommandContext& context);

}  // namespace kvtk::cli
