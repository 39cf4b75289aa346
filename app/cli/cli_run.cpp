#include "app/cli/cli_run.h"

#include "app/cli/cli_args.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_connection.h"
#include "app/cli/cli_host.h"

namespace kvtk::cli {

int RunCli(const std::vector<std::string>& args, const CliEnvironment& env) {
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
    CommandContext context{request, nullptr, host, env.Out, env.Err, env.ErrIsTerminal};
    if (!NeedsPanel(request.Command)) return RunCommand(context);

    CliConnection connection(request, env.Err);
    if (const std::string failure = connection.Open(env.Link); !failure.empty()) {
        env.Err << "kvtk-cli: " << failure << '\n';
        return kExitNoPanel;
    }
    context.Exchange = &connection.Exchange();
    const int status = RunCommand(context);
    env.Out.flush();
    return status;
}

}  // namespace kvtk::cli
