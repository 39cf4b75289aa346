#include "app/cli/cli_connection.h"

#include <cstdlib>
#include <fstream>

#include "comm/relay_connection.h"
#include "comm/serial_link.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"

namespace kvtk::cli {
namespace {

constexpr int kRelayConnectWindowMs = 10000;

FailurePolicy PolicyFor(const CliRequest& request) {
    return request.SkipFailed ? FailurePolicy::Ignore : FailurePolicy::Abort;
}

}  // namespace

std::optional<std::string> RelayPassword(const std::string& passwordFile, std::string& error) {
    if (!passwordFile.empty()) {
        std::ifstream in(passwordFile, std::ios::binary);
        std::string line;
        if (!in || !std::getline(in, line)) {
            error = "cannot read the password file " + passwordFile;
            return std::nullopt;
        }
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        return line;
    }
    if (const char* env = std::getenv("KVTK_RELAY_PASSWORD")) return std::string(env);
    error = "--relay needs a password: --password-file FILE or KVTK_RELAY_PASSWORD";
    return std::nullopt;
}

CliConnection::CliConnection(const CliRequest& request, std::ostream& err)
    : request_(request),
      err_(err),
      prompter_(
          PolicyFor(request),
          [this](const MessageRequest& message) {
              // A failure names the step; without a description the command.
              std::string title = message.Title;
              if (title == kCommErrorTitle) title += settings_.Command();
              err_ << "kvtk-cli: " << title << " - " << message.Text << '\n' << std::flush;
          },
          0),
      exchange_(settings_, prompter_) {
    settings_.SetMaxResponseMs(request.TimeoutMs);
    settings_.SetAttempts(request.Attempts);
    if (request.Verbose && !request.Trace) {
        QObject::connect(&settings_, &ExchangeSettings::requestChanged, &settings_, [this] {
            if (!settings_.Description().empty())
                err_ << settings_.Description() << '\n' << std::flush;
        });
    }
}

CliConnection::~CliConnection() {
    if (relay_) relay_->Close();
    exchange_.SetSerialLink(nullptr);
}

PanelExchange& CliConnection::Exchange() {
    if (tracingExchange_) return *tracingExchange_;
    return exchange_;
}

void CliConnection::UseLink(ByteLink& link) {
    ByteLink* used = &link;
    if (request_.Trace) {
        tracingLink_ = std::make_unique<TracingLink>(link, err_);
        used = tracingLink_.get();
    }
    exchange_.SetConnectionMode(ConnectionMode::Serial);
    exchange_.SetSerialLink(used);
    exchange_.SetOffline(false);
}

std::string CliConnection::Open(ByteLink* injected) {
    if (injected) {
        UseLink(*injected);
        return {};
    }
    switch (request_.Connection.Kind) {
        case LinkKind::Demo: {
            ownedLink_ = std::make_unique<SimulatedLink>(MakeDemoLine());
            UseLink(*ownedLink_);
            return {};
        }
        case LinkKind::Port: {
            auto serial = std::make_unique<SerialLink>();
            if (!serial->open(QString::fromLocal8Bit(request_.Connection.Port)))
                return "cannot open " + request_.Connection.Port + ": " +
                       serial->lastErrorText().toLocal8Bit().toStdString();
            ownedLink_ = std::move(serial);
            UseLink(*ownedLink_);
            return {};
        }
        case LinkKind::Relay:
            return OpenRelay();
        case LinkKind::None:
            break;
    }
    return "no connection chosen";
}

std::string CliConnection::OpenRelay() {
    std::string error;
    auto password = RelayPassword(request_.Connection.PasswordFile, error);
    if (!password) return error;
    relay_ = std::make_unique<RelayConnection>();
    std::string status;
    const auto statusLink = QObject::connect(
        relay_.get(), &RelayConnection::statusChanged, relay_.get(),
        [&status](const QString& text) { status = text.toLocal8Bit().toStdString(); });
    const auto errorLink =
        QObject::connect(relay_.get(), &RelayConnection::socketError, relay_.get(),
                         [&status](int, const QString& description, const QString&) {
                             status = description.toLocal8Bit().toStdString();
                         });
    relay_->Connect(QString::fromLocal8Bit(request_.Connection.Relay), request_.Connection.User,
                    *password);
    password->assign(password->size(), '\0');
    const bool ok = relay_->WaitForLogin(kRelayConnectWindowMs);
    QObject::disconnect(statusLink);
    QObject::disconnect(errorLink);
    if (!ok)
        return "cannot log in to the relay server " + request_.Connection.Relay +
               (status.empty() ? std::string{} : ": " + status);
    exchange_.SetConnectionMode(ConnectionMode::Relay);
    exchange_.SetRelayConnection(relay_.get());
    exchange_.SetOffline(false);
    if (request_.Trace) tracingExchange_ = std::make_unique<TracingExchange>(exchange_, err_);
    return {};
}

}  // namespace kvtk::cli
