#pragma once
// One run of kvtk-cli from its arguments to its exit status: parse, help,
// connect, run the command. main() only adds the Qt application; tests call
// this directly, optionally on their own link.

#include <ctime>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kvtk {
class ByteLink;
}

namespace kvtk::cli {

struct CliEnvironment {
    std::ostream& Out;
    std::ostream& Err;
    bool ErrIsTerminal = false;
    // Replaces the port or demonstration line when set (not owned).
    ByteLink* Link = nullptr;
    // The time of backups and file stamps; the system's clock when unset.
    std::function<std::time_t()> Clock;
};

// `args` without the program name. SIGINT and SIGTERM stop the run at its
// next step (exit status 130) while it lasts.
int RunCli(const std::vector<std::string>& args, const CliEnvironment& env);

}  // namespace kvtk::cli
