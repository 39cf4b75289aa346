#pragma once
// Runs kvtk-cli's commands in-process and keeps what they printed.

#include <ctime>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_run.h"
#include "sim/simulated_link.h"

namespace kvtk::test {

// The simulated line with a look at each frame the tool sends: `sending`
// sees it first (and may raise a signal, say) and returns false to lose it.
class WatchedLink : public SimulatedLink {
public:
    using Watcher = std::function<bool(const std::string& frame)>;
    WatchedLink(SimLine& line, Watcher sending)
        : SimulatedLink(line), sending_(std::move(sending)) {}
    bool write(const QByteArray& bytes) override {
        return !sending_(bytes.toStdString()) || SimulatedLink::write(bytes);
    }

private:
    Watcher sending_;
};

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// With a link, "--demo" is added: the link takes the demonstration line's place.
// A clock fixes the time of backups and file stamps.
inline CliRun RunCliInProcess(std::vector<std::string> args, ByteLink* link = nullptr,
                              std::function<std::time_t()> clock = {}) {
    if (link) args.insert(args.begin(), "--demo");
    std::ostringstream out;
    std::ostringstream err;
    const cli::CliEnvironment env{out, err, false, link, std::move(clock)};
    CliRun run;
    run.Status = cli::RunCli(args, env);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

}  // namespace kvtk::test
