#include "sim/sim_relay_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace kvtk {

namespace {
const char* const kLoggedIn = "loggedIn";
const char* const kBuffer = "buffer";
const char* const kLastAnswerMs = "lastAnswerMs";
constexpr qsizetype kLongestMessage = 1024;  // beyond that the client is talking nonsense
}  // namespace

SimRelayServer::SimRelayServer(SimLine& line, QString user, QString password, QObject* parent)
    : QObject(parent), line_(line), user_(std::move(user)), password_(std::move(password)) {
    clock_.start();
    connect(&server_, &QTcpServer::newConnection, this, &SimRelayServer::Accept);
    connect(&line_, &SimLine::Disconnected, this, [this] {
        // The panels' line broke: the server hangs up on every client.
        for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) socket->disconnectFromHost();
    });
}

SimRelayServer::~SimRelayServer() = default;

bool SimRelayServer::Listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

quint16 SimRelayServer::Port() const {
    return server_.serverPort();
}

void SimRelayServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++clients_;
        socket->setProperty(kLoggedIn, false);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadClient(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --clients_;
            socket->deleteLater();
        });
    }
}

void SimRelayServer::ReadClient(QTcpSocket* socket) {
    QByteArray buffer = socket->property(kBuffer).toByteArray() + socket->readAll();
    qsizetype end = 0;
    while ((end = buffer.indexOf('\r')) >= 0) {
        std::string message = buffer.left(end).toStdString();
        buffer.remove(0, end + 1);
        if (!message.empty() && message.front() == '\n') message.erase(0, 1);  // a CR LF client
        HandleMessage(socket, message);
    }
    if (buffer.size() > kLongestMessage) buffer.clear();
    socket->setProperty(kBuffer, buffer);
}

void SimRelayServer::HandleMessage(QTcpSocket* socket, const std::string& message) {
    if (message.empty()) return;
    if (message.front() == '0') {
        const auto bar = message.find('|');
        const bool ok = bar != std::string::npos &&
                        QString::fromStdString(message.substr(1, bar - 1)) == user_ &&
                        QString::fromStdString(message.substr(bar + 1)) == password_;
        socket->setProperty(kLoggedIn, ok);
        socket->write(ok ? "OK Welcome\r\n" : "NO Authentication failed\r\n");
        return;
    }
    if (message.front() != '2') return;  // messages this server does not know
    const auto bar = message.find('|');
    if (bar == std::string::npos) return;
    const QByteArray sequence = QByteArray::fromStdString(message.substr(1, bar - 1));
    const std::string frame = message.substr(bar + 1);
    if (!socket->property(kLoggedIn).toBool()) {
        socket->write(sequence + "ERR not logged in\r\n");
        return;
    }
    std::optional<std::string> reply;
    if (frame.size() >= 2) reply = line_.Answer(frame.substr(0, 2), frame.substr(2));
    const auto& options = line_.Options();
    const int delay = reply ? options.busyDots * options.busyDotIntervalMs : noAnswerDelayMs_;
    const QByteArray answer = reply ? sequence + QByteArray::fromStdString(*reply) + "\r\n"
                                    : sequence + "ERR no answer from the panel\r\n";
    // Answers leave in the order the commands came, like a server that
    // serves one command at a time.
    const qint64 now = clock_.elapsed();
    const qint64 due = std::max(now + delay, socket->property(kLastAnswerMs).toLongLong());
    socket->setProperty(kLastAnswerMs, due);
    QPointer<QTcpSocket> target(socket);
    QTimer::singleShot(static_cast<int>(due - now), this, [target, answer] {
        if (target && target->state() == QAbstractSocket::ConnectedState) target->write(answer);
    });
}

}  // namespace kvtk
