#pragma once
// One run of kvtk-cli from its arguments to its exit status: parse, help,
// connect, run the command. main() only adds the Qt application; tests call
// this directly, optionally on their own link.

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
};

// `args` without the program name.
int RunCli(const std::vector<std::string>& args, const CliEnvironment& env);

}  // namespace kvtk::cli
