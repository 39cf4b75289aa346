#include "app/cli/cli_run.h"

#include "app/cli/cli_args.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_connection.h"
#include "app/cli/cli_host.h"

namespace kvtk::cli {
namespace {

// Output that never arrived (a full disk, a closed pipe) is not success.
int CheckOutput(const CliEnvironment& env, int status) {
    env.Out.flush();
    if (env.Out) return status;
    env.Err << "kvtk-cli: the output could not be written.\n";
    return status == kExitOk ? kExitFileError : status;
}

int Run(const std::vector<std::string>& args, const CliEnvironment& env) {
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
        env.Out << "kvtk-cli 5.1\n";
        return kExitOk;
    }

    CliHost host(env.Err, request.Verbose || request.Trace);
    CommandContext context{request, nullptr, nullptr, host, env.Out, env.Err, env.ErrIsTerminal};
    if (!NeedsPanel(request.Command)) return RunCommand(context);

    CliConnection connection(request, env.Err);
    if (const auto opened = connection.Open(env.Link); !opened.Error.empty()) {
        env.Err << "kvtk-cli: " << opened.Error << '\n';
        return opened.Status;
    }
    context.Exchange = &connection.Exchange();
    context.Replies = &connection.Replies();
    return RunCommand(context);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliEnvironment& env) {
    return CheckOutput(env, Run(args, env));
}

}  // namespace kvtk::cli
