#pragma once
// Runs kvtk-cli's commands in-process and keeps what they printed.

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_run.h"

namespace kvtk::test {

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// With a link, "--demo" is added: the link takes the demonstration line's place.
inline CliRun RunCliInProcess(std::vector<std::string> args, ByteLink* link = nullptr) {
    if (link) args.insert(args.begin(), "--demo");
    std::ostringstream out;
    std::ostringstream err;
    const cli::CliEnvironment env{out, err, false, link};
    CliRun run;
    run.Status = cli::RunCli(args, env);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

}  // namespace kvtk::test
