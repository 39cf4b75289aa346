// The relay connection against small loopback servers that misbehave in
// the ways a real network or server can.
#include "comm/relay_connection.h"

#include <gmock/gmock.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/relay_lines.h"
#include "tests/comm/timed.h"
#include "tests/support/scripted_prompter.h"

namespace kvtk {
namespace {

using test::Timed;
using ::testing::ElementsAre;

// A loopback server that logs in everybody with "OK" and hands each
// further line from the client to a script.
class ScriptedServer : public QObject {
public:
    using Script = std::function<void(QTcpSocket&, const std::string& line)>;

    ScriptedServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(*socket); });
        });
    }
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }

    Script onLogin = [](QTcpSocket& s, const std::string&) { s.write("OK\r\n"); };
    Script onCommand;
    std::vector<std::string> received;

private:
    void Read(QTcpSocket& socket) {
        lines_.Feed(socket.readAll(), [&](const std::string& line) {
            received.push_back(line);
            const Script& script = line.rfind("0", 0) == 0 ? onLogin : onCommand;
            if (script) script(socket, line);
        });
    }
    QTcpServer server_;
    RelayLineSplitter lines_;
};

std::string Sequence(const std::string& line) {  // "2" + number + "|" ... -> number
    return line.substr(1, line.find('|') - 1);
}

class RelayTest : public ::testing::Test {
protected:
    RelayTest() {
        settings.SetMaxResponseMs(50);
        relay.SetLoginWindowMs(100);
        exchange.SetConnectionMode(ConnectionMode::Relay);
        exchange.SetRelayConnection(&relay);
    }
    void ConnectAndLogin() {
        relay.Connect(server.Address(), "user", "secret");
        ASSERT_TRUE(relay.WaitForLogin(5000));
    }

    ScriptedServer server;
    RelayConnection relay;
    ExchangeSettings settings;
    test::ScriptedPrompter prompter;
    CommandExchange exchange{settings, prompter};
};

TEST_F(RelayTest, RefusedOrUnansweredLoginFailsAndCloses) {
    // answer, outcome, status
    const std::vector<std::tuple<ScriptedServer::Script, LoginOutcome, QString>> cases{
        {[](QTcpSocket& s, const std::string&) { s.write("DENIED\r\n"); }, LoginOutcome::Refused,
         QStringLiteral("Authentication Failure")},
        {[](QTcpSocket& s, const std::string&) { s.write("N"); },  // decided without a line end
         LoginOutcome::Refused, QStringLiteral("Authentication Failure")},
        // Neither refuses the credentials.
        {[](QTcpSocket&, const std::string&) {}, LoginOutcome::NoAnswer,
         QStringLiteral("No answer to the login from 127.0.0.1.")},
        {[](QTcpSocket& s, const std::string&) { s.close(); }, LoginOutcome::ClosedByServer,
         QStringLiteral("127.0.0.1 closed the connection before answering the login.")},
    };
    for (const auto& [answer, outcome, status] : cases) {
        server.onLogin = answer;
        QSignalSpy statuses(&relay, &RelayConnection::statusChanged);
        relay.Connect(server.Address(), "user", "wrong");
        EXPECT_FALSE(relay.WaitForLogin(5000));
        EXPECT_EQ(relay.Outcome(), outcome);
        ASSERT_FALSE(statuses.isEmpty());
        EXPECT_EQ(statuses.back()[0].toString(), status);
        EXPECT_FALSE(relay.IsEstablished());
    }
}

// Each answer comes after a late one for the number before; ours is taken
// by its number, in the same read or in a later one, and the numbers wrap
// after 255.
TEST_F(RelayTest, TheRelayExampleAndSequenceNumbersWrapAfter255) {
    bool laterRead = false;
    server.onCommand = [&laterRead](QTcpSocket& s, const std::string& line) {
        const std::string n = Sequence(line);
        s.write(
            QByteArray::fromStdString(std::to_string((std::stoi(n) + 255) % 256) + "A0002C2\r\n"));
        const QByteArray ours = QByteArray::fromStdString(n + "A0001C1\r\n");
        if (!laterRead) s.write(ours);
        if (laterRead) QTimer::singleShot(30, &s, [&s, ours] { s.write(ours); });
    };
    ConnectAndLogin();
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    relay.SetSequenceNumber(254);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    laterRead = true;
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    EXPECT_THAT(server.received,
                ElementsAre("0user|secret", "21|01LR73", "2255|01LR73", "20|01LR73", "21|01LR73"));
}

// ERR and silence are time-outs, a closed server a cancel.
TEST_F(RelayTest, ErrIsATimeOutAtOnceAndSilenceCostsTheRelayAllowance) {
    server.onCommand = [](QTcpSocket& s, const std::string& line) {
        s.write(QByteArray::fromStdString(Sequence(line) + "ERR no panel\r\n"));
    };
    ConnectAndLogin();
    settings.SetAttempts(1);
    std::string reply;
    double ms = Timed([&] { reply = exchange.Exchange(1, "LR73", "", FailureStyle::Silent); });
    EXPECT_EQ(reply, "T");
    EXPECT_LT(ms, 400);

    server.onCommand = nullptr;  // never answers
    ms = Timed([&] { reply = exchange.Exchange(1, "LR73", "", FailureStyle::Silent); });
    EXPECT_EQ(reply, "T");
    EXPECT_GE(ms, 550);  // the relay's 500 ms on top of T

    // The server closing mid exchange cancels it with a message of its own.
    server.onCommand = [](QTcpSocket& s, const std::string&) {
        QTimer::singleShot(20, &s, [&s] { s.close(); });
    };
    QSignalSpy closed(&relay, &RelayConnection::serverClosed);
    settings.SetMaxResponseMs(5000);
    ms = Timed([&] { reply = exchange.Exchange(1, "LR73", "Inputs", FailureStyle::OkCancel); });
    EXPECT_EQ(reply, "");
    EXPECT_LT(ms, 2000);
    EXPECT_FALSE(settings.Cancel());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].Text.find("waiting for response"), std::string::npos);
    EXPECT_EQ(prompter.asked[0].Icon, MessageIcon::Critical);
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(RelayTest, SocketErrorReportsNumberAndDescription) {
    QTcpServer closedPort;
    closedPort.listen(QHostAddress::LocalHost);
    const quint16 port = closedPort.serverPort();
    closedPort.close();  // nobody listens there now
    QSignalSpy errors(&relay, &RelayConnection::socketError);
    QSignalSpy statuses(&relay, &RelayConnection::statusChanged);
    relay.Connect(QStringLiteral("127.0.0.1:%1").arg(port), "user", "secret");
    EXPECT_FALSE(relay.WaitForLogin(5000));
    ASSERT_EQ(errors.count(), 1);
    const QString description = errors[0][1].toString();
    EXPECT_EQ(errors[0][2].toString(),
              QStringLiteral("Connection with Glintora has been lost due to Winsock error: ") +
                  QString::number(errors[0][0].toInt()) + QStringLiteral("\r\n") + description);
    EXPECT_EQ(statuses.back()[0].toString(),
              QStringLiteral("Error: ") + description + QStringLiteral("."));
    EXPECT_EQ(relay.Outcome(), LoginOutcome::SocketFailed);
    EXPECT_EQ(relay.FailureText(), description);
}

}  // namespace
}  // namespace kvtk
