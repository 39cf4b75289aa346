#pragma once
// `kvtk-cli site status|write|backup|report DIR`: a whole site at once.

#include "app/cli/cli_commands.h"

namespace kvtk::cli {

int RunSite(CommandContext& context);

}  // namespace kvtk::cli
