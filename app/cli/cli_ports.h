#pragma once
// kvtk-cli ports: the serial ports the tool sees, with their stable names,
// descriptions and whether this user can open them now. No panel is
// involved.

#include "app/cli/cli_commands.h"

namespace kvtk::cli {

// One line per port, "<name>\t<stable name>\t<description>\t<yes|no>\t<why
// not>" ("-" for an empty field), or with --json one object. Exit 0, also
// when there is no port.
int RunPorts(CommandContext& context);

}  // namespace kvtk::cli
