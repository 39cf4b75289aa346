#include "app/cli/cli_connection.h"

#include <cstdlib>

#include "app/cli/cli_trace.h"
#include "comm/relay_connection.h"
#include "comm/serial_link.h"
#include "comm/traffic_log.h"
#include "files/small_file.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"

namespace kvtk::cli {
namespace {

constexpr int kRelayConnectWindowMs = 10000;

FailurePolicy PolicyFor(const CliRequest& request) {
    return request.SkipFailed ? FailurePolicy::Ignore : FailurePolicy::Abort;
}

struct PasswordResult {
    std::optional<std::string> Password;
    CliConnection::OpenResult Failure;
};

// The relay password: the first line of the file when one is named, else
// the environment variable KVTK_RELAY_PASSWORD.
PasswordResult RelayPassword(const std::string& passwordFile) {
    if (!passwordFile.empty()) {
        SmallFileResult file = ReadSmallFile(passwordFile);
        if (!file.Ok())
            return {std::nullopt,
                    {"cannot read the password file " + passwordFile + ": " + file.Error + ".",
                     kExitFileError}};
        std::string line = FirstLine(file.Text);
        file.Text.assign(file.Text.size(), '\0');
        if (line.empty())
            return {std::nullopt,
                    {"the password file " + passwordFile + " has no password on its first line.",
                     kExitFileError}};
        return {std::move(line), {}};
    }
    if (const char* env = std::getenv("KVTK_RELAY_PASSWORD")) return {std::string(env), {}};
    return {std::nullopt,
            {"--relay needs a password: --password-file FILE or KVTK_RELAY_PASSWORD.\n"
             "Try 'kvtk-cli --help'.",
             kExitUsage}};
}

// Why the relay server did not let us in, and the exit status for it.
CliConnection::OpenResult LoginFailure(const RelayConnection& relay, int windowMs) {
    const std::string server =
        relay.HostName().toLocal8Bit().toStdString() + " port " + std::to_string(relay.Port());
    switch (relay.Outcome()) {
        case LoginOutcome::Refused:
            return {"the relay server " + server +
                        " did not accept the user name and password (Authentication Failure); "
                        "it answered \"" +
                        VisibleBytes(relay.LoginAnswer().toStdString(), HighBytes::AsText) + "\".",
                    kExitFailed};
        case LoginOutcome::NoAnswer:
            return {"the relay server " + server + " did not answer the login.", kExitNoPanel};
        case LoginOutcome::ClosedByServer:
            return {
                "the relay server " + server + " closed the connection before answering the login.",
                kExitNoPanel};
        case LoginOutcome::SocketFailed:
            return {"cannot connect to the relay server " + server + ": " +
                        relay.FailureText().toLocal8Bit().toStdString() + ".",
                    kExitNoPanel};
        case LoginOutcome::Pending:
        case LoginOutcome::Authenticated:
            break;
    }
    return {"cannot connect to the relay server " + server + ": no connection within " +
                std::to_string(windowMs / 1000) + " s.",
            kExitNoPanel};
}

}  // namespace

CliConnection::CliConnection(const CliRequest& request, std::ostream& err)
    : request_(request),
      err_(err),
      prompter_(
          PolicyFor(request),
          [this](const MessageRequest& message) {
              // A failure names the step; without a description the command.
              std::string title = message.Title;
              if (title == kCommErrorTitle) title += line_.Settings().Command();
              err_ << "kvtk-cli: " << title << " - " << message.Text << '\n' << std::flush;
          },
          0),
      // No port choices: the command line names its device itself.
      line_(PortSlots(QStringList{}), prompter_) {
    ExchangeSettings& settings = line_.Settings();
    settings.SetMaxResponseMs(request.TimeoutMs);
    settings.SetAttempts(request.Attempts);
    if (request.Verbose && !request.Trace) {
        QObject::connect(&settings, &ExchangeSettings::requestChanged, &settings, [this] {
            const std::string& description = line_.Settings().Description();
            if (!description.empty()) err_ << description << '\n' << std::flush;
        });
    }
}

CliConnection::~CliConnection() = default;

void CliConnection::Online() {
    line_.Exchange().SetOffline(false);
    if (request_.Trace) TraceTraffic(line_, err_);
}

CliConnection::OpenResult CliConnection::Open(ByteLink* injected) {
    if (injected) {
        line_.UseLink(*injected);
        Online();
        return {};
    }
    switch (request_.Connection.Kind) {
        case LinkKind::Demo: {
            line_.UseLink(std::make_unique<SimulatedLink>(MakeDemoLine()));
            Online();
            return {};
        }
        case LinkKind::Port: {
            auto serial = std::make_unique<SerialLink>();
            if (!serial->open(QString::fromLocal8Bit(request_.Connection.Port)))
                return {serial->failureText().toLocal8Bit().toStdString(), kExitNoPanel};
            line_.UseLink(std::move(serial));
            Online();
            return {};
        }
        case LinkKind::Relay:
            return OpenRelay();
        case LinkKind::None:
            break;
    }
    return {"no connection chosen", kExitUsage};
}

CliConnection::OpenResult CliConnection::OpenRelay() {
    PasswordResult password = RelayPassword(request_.Connection.PasswordFile);
    if (!password.Password) return password.Failure;
    RelayConnection& relay = line_.Relay();
    relay.Connect(QString::fromLocal8Bit(request_.Connection.Relay), request_.Connection.User,
                  *password.Password);
    password.Password->assign(password.Password->size(), '\0');
    if (!relay.WaitForLogin(kRelayConnectWindowMs)) {
        OpenResult failure = LoginFailure(relay, kRelayConnectWindowMs);
        relay.Close();
        return failure;
    }
    line_.Choose(PanelConnection::Relay());
    Online();
    return {};
}

}  // namespace kvtk::cli
