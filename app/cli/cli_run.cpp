#include "app/cli/cli_run.h"

#include "app/cli/cli_args.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_connection.h"
#include "app/cli/cli_host.h"
#include "app/cli/cli_stop.h"
#include "app/cli/cli_stop_gate.h"
#include "model/panel_reply.h"
#include "model/program_notice.h"
#include "transfer/operations/write_configuration.h"
#include "transfer/registers/register_map.h"

namespace kvtk::cli {
namespace {

// Output that never arrived (a full disk, a closed pipe) is not success.
int CheckOutput(const CliEnvironment& env, int status) {
    env.Out.flush();
    if (env.Out) return status;
    env.Err << "kvtk-cli: the output could not be written.\n";
    return status == kExitOk ? kExitFileError : status;
}

// A stop between "LSWEN" and an operation's own "LSU" leaves the panel
// write-enabled: disable writing there, after the pause a stopped write makes.
void DisableWritingLeftOn(StopGate& gate, CommandContext& c) {
    const std::set<int> addresses = gate.MaybeWriteEnabled();
    if (addresses.empty()) return;
    c.Host.Wait({WaitKind::WriteDisablePause, kWriteDisablePauseMs, ""});
    for (const int address : addresses) {
        if (IsConfirmation(gate.Exchange(address, kWriteDisableCommand, "Write Disable",
                                         FailureStyle::Silent)))
            c.Err << "kvtk-cli: writing was disabled again at address " << address << ".\n";
        else
            c.Err << "kvtk-cli: no device at address " << address
                  << " confirmed \"Write Disable\": it may still be write-enabled.\n";
    }
}

int Run(const std::vector<std::string>& args, const CliEnvironment& env, const SignalStop& stop) {
    const ParseResult parsed = ParseArguments(args);
    if (!parsed.Ok()) {
        env.Err << "kvtk-cli: " << parsed.Error << "\nTry 'kvtk-cli --help'.\n";
        return kExitUsage;
    }
    const CliRequest& request = parsed.Request;
    if (request.Help) {
        env.Out << (request.Command.empty() ? ProgramHelp() : CommandHelp(request.Command));
        return kExitOk;
    }
    if (request.Version) {
        env.Out << "kvtk-cli 5.1\n" << kVersionNotice;
        return kExitOk;
    }

    CliHost host(env.Err, request.Verbose || request.Trace);
    host.SetTerminal(env.ErrIsTerminal);
    const auto clock = env.Clock ? env.Clock : [] { return std::time(nullptr); };
    CommandContext context{
        request, nullptr, nullptr,           host,
        env.Out, env.Err, env.ErrIsTerminal, [&stop] { return stop.Requested(); },
        clock};
    if (!OpensLine(request)) return RunCommand(context);

    CliConnection connection(request, env.Err);
    if (const auto opened = connection.Open(env.Link); !opened.Error.empty()) {
        env.Err << "kvtk-cli: " << opened.Error << '\n';
        return opened.Status;
    }
    StopGate gate(connection.Exchange(), connection.Settings(), stop);
    context.Exchange = &gate;
    context.Replies = &connection.Replies();
    const int status = RunCommand(context);
    if (stop.Requested()) DisableWritingLeftOn(gate, context);
    return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliEnvironment& env) {
    SignalStop stop;
    QObject::connect(&stop, &SignalStop::requested, &stop, [&env, &stop] {
        env.Err << "\nkvtk-cli: " << SignalName(stop.Signal())
                << ": stopping after the current step; a second signal stops at once.\n"
                << std::flush;
    });
    int status = Run(args, env, stop);
    if (stop.Requested()) {
        env.Err << "kvtk-cli: stopped by " << SignalName(stop.Signal())
                << (status == kExitOk ? " after the command had finished" : "") << ".\n";
        status = kExitStopped;
    }
    return CheckOutput(env, status);
}

}  // namespace kvtk::cli
