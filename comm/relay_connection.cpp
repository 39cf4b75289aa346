#include "comm/relay_connection.h"

#include <QEventLoop>
#include <algorithm>

#include "comm/exchange_settings.h"
#include "comm/exchange_wait.h"
#include "comm/serial_exchange.h"
#include "comm/traffic_log.h"
#include "comm/wire_format.h"
#include "model/panel_reply.h"

namespace kvtk {

RelayConnection::RelayConnection(QObject* parent) : QObject(parent) {
    loginWindow_.setSingleShot(true);
    loginWindow_.setTimerType(Qt::PreciseTimer);
    connect(&loginWindow_, &QTimer::timeout, this, &RelayConnection::OnLoginWindowEnded);
    connect(&socket_, &QTcpSocket::connected, this, &RelayConnection::OnConnected);
    connect(&socket_, &QTcpSocket::readyRead, this, &RelayConnection::OnReadyRead);
    connect(&socket_, &QTcpSocket::disconnected, this, &RelayConnection::OnDisconnected);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &RelayConnection::OnError);
}

RelayConnection::~RelayConnection() {
    ForgetPassword();
    closingOurselves_ = true;
    socket_.abort();
}

bool RelayConnection::ParseServer(const QString& server, QString& host, quint16& port) {
    const QString text = server.trimmed();
    host = text;
    port = kDefaultPort;
    qsizetype colon = -1;
    if (text.startsWith(QLatin1Char('['))) {
        const auto close = text.indexOf(QLatin1Char(']'));
        if (close < 0) return false;
        host = text.mid(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != QLatin1Char(':')) return false;
            colon = close + 1;
        }
    } else if (text.count(QLatin1Char(':')) == 1) {
        colon = text.indexOf(QLatin1Char(':'));
        host = text.left(colon);
    }
    if (host.isEmpty()) return false;
    if (colon < 0) return true;
    bool ok = false;
    const uint value = text.mid(colon + 1).toUInt(&ok);
    if (!ok || value == 0 || value > 65535) return false;
    port = static_cast<quint16>(value);
    return true;
}

void RelayConnection::Connect(const QString& server, const std::string& user,
                              const std::string& password) {
    Close();
    const bool valid = ParseServer(server, host_, port_);
    loginUser_ = user;
    loginPassword_ = password;
    loginRunning_ = true;
    loginDecided_ = false;
    authenticated_ = false;
    outcome_ = LoginOutcome::Pending;
    failureText_.clear();
    loginAnswer_.clear();
    sequence_ = 0;
    lines_.Clear();
    SetStateText(QStringLiteral("closed"));
    if (!valid) {
        ForgetPassword();
        loginDecided_ = true;
        outcome_ = LoginOutcome::SocketFailed;
        failureText_ = QStringLiteral("\"%1\" is not HOST or HOST:PORT with a port from 1 to 65535")
                           .arg(server.trimmed());
        emit statusChanged(QStringLiteral("Error: ") + failureText_ + QStringLiteral("."));
        FinishLogin();
        return;
    }
    socket_.connectToHost(host_, port_);
    emit statusChanged(QStringLiteral("Attempting to connect to ") + host_ + QStringLiteral("."));
}

bool RelayConnection::WaitForLogin(int timeoutMs) {
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &RelayConnection::loginFinished, &loop, &QEventLoop::quit);
    connect(this, &RelayConnection::socketError, &loop, &QEventLoop::quit);
    connect(this, &RelayConnection::serverClosed, &loop, &QEventLoop::quit);
    limit.start(timeoutMs);
    if (loginRunning_) loop.exec();
    return IsAuthenticated();
}

void RelayConnection::Close() {
    ForgetPassword();
    loginWindow_.stop();
    if (phase_ == Phase::Login) phase_ = Phase::Idle;
    authenticated_ = false;
    if (socket_.state() != QAbstractSocket::UnconnectedState) {
        closingOurselves_ = true;
        socket_.abort();
        closingOurselves_ = false;
    }
    lines_.Clear();
    if (loginRunning_) FinishLogin();
}

void RelayConnection::FinishLogin() {
    loginRunning_ = false;
    emit loginFinished(authenticated_);
}

bool RelayConnection::IsEstablished() const {
    return socket_.state() == QAbstractSocket::ConnectedState;
}

void RelayConnection::SetStateText(const QString& text) {
    stateText_ = text;
    emit stateTextChanged(text);
}

void RelayConnection::ForgetPassword() {
    std::fill(loginPassword_.begin(), loginPassword_.end(), '\0');
    loginPassword_.clear();
    loginUser_.clear();
}

void RelayConnection::OnConnected() {
    SetStateText(QStringLiteral("connect"));
    emit statusChanged(QStringLiteral("Connection established with ") + host_ +
                       QStringLiteral("."));
    QByteArray login = ToBytes("0" + loginUser_ + "|" + loginPassword_ + kCarriageReturn);
    if (traffic_) traffic_->Add(TrafficDirection::Sent, MaskedRelayLogin(loginUser_));
    ForgetPassword();
    phase_ = Phase::Login;
    loginWindow_.start(loginWindowMs_);
    loginClock_.start();
    socket_.write(login);
    login.fill('\0');
}

void RelayConnection::OnReadyRead() {
    const QByteArray bytes = socket_.readAll();
    lines_.Feed(bytes, [this](const std::string& line) {
        Log(false, line);
        HandleLine(line);
    });
    // The login answer needs no line end: its first two characters decide.
    if (phase_ == Phase::Login && !loginDecided_ && lines_.Partial().size() >= 2) {
        Log(false, lines_.Partial().toStdString());
        const QByteArray answer = lines_.Partial();
        lines_.DropPartial();
        DecideLogin(answer);
    }
}

void RelayConnection::Log(bool sent, const std::string& bytes) {
    if (!traffic_) return;
    // A server echoing the login must not show the password either.
    const auto bar = bytes.find('|');
    const bool login = phase_ == Phase::Login && bar != std::string::npos;
    traffic_->Add(sent ? TrafficDirection::Sent : TrafficDirection::Received,
                  login ? bytes.substr(0, bar + 1) + "********" : bytes);
}

void RelayConnection::HandleLine(const std::string& line) {
    if (phase_ == Phase::Login) {
        if (!loginDecided_) DecideLogin(QByteArray::fromStdString(line));
        return;
    }
    emit lineReceived(QByteArray::fromStdString(line));
    if (phase_ != Phase::Exchange || answerReady_) return;  // late or unasked: dropped
    int number = -1;
    std::string rest;
    if (!SplitAnswer(line, number, rest) || number != sequence_ || rest.empty()) return;
    answerIsError_ = rest.rfind("ERR", 0) == 0;
    answer_ = rest;
    answerReady_ = true;
    emit answerArrived();
}

void RelayConnection::DecideLogin(const QByteArray& answer) {
    loginAnswer_ = answer.left(kShownAnswerLength);
    if (!answer.startsWith("OK")) {
        FailLogin(LoginOutcome::Refused, QString::fromLatin1(kAuthenticationFailureStatus));
        return;
    }
    loginDecided_ = true;
    authenticated_ = true;
    loginRoundTripMs_ = static_cast<int>(loginClock_.elapsed());
    outcome_ = LoginOutcome::Authenticated;
    emit statusChanged(QString::fromLatin1(kAuthenticatedStatus));
}

void RelayConnection::FailLogin(LoginOutcome outcome, const QString& status) {
    loginDecided_ = true;
    authenticated_ = false;
    outcome_ = outcome;
    emit statusChanged(status);
    closingOurselves_ = true;
    socket_.abort();
    closingOurselves_ = false;
}

void RelayConnection::OnLoginWindowEnded() {
    if (phase_ == Phase::Login) phase_ = Phase::Idle;
    // Less than "OK" is a refusal; a server that stays silent for the whole
    // window has not let us in, but it has not refused the credentials.
    if (!loginDecided_ && !lines_.Partial().isEmpty())
        DecideLogin(QByteArray(lines_.Partial()));
    else if (!loginDecided_)
        FailLogin(LoginOutcome::NoAnswer,
                  QStringLiteral("No answer to the login from ") + host_ + QStringLiteral("."));
    FinishLogin();
}

void RelayConnection::OnDisconnected() {
    authenticated_ = false;
    lines_.Clear();
    if (closingOurselves_) return;
    if (phase_ == Phase::Login) {
        loginWindow_.stop();
        phase_ = Phase::Idle;
        if (!loginDecided_) {
            loginDecided_ = true;
            outcome_ = LoginOutcome::ClosedByServer;
            emit statusChanged(
                host_ + QStringLiteral(" closed the connection before answering the login."));
        }
    }
    if (loginRunning_) FinishLogin();
    emit serverClosed();
}

void RelayConnection::OnError(QAbstractSocket::SocketError error) {
    // The server closing is reported by OnDisconnected.
    if (error == QAbstractSocket::RemoteHostClosedError || closingOurselves_) return;
    const QString description = socket_.errorString();
    const bool wasLogin = loginRunning_;
    loginRunning_ = false;
    failureText_ = description;
    if (wasLogin) outcome_ = LoginOutcome::SocketFailed;
    Close();
    SetStateText(QStringLiteral("error"));
    emit statusChanged(QStringLiteral("Error: ") + description + QStringLiteral("."));
    const int number = static_cast<int>(error);
    emit socketError(
        number, description,
        QStringLiteral("Connection with Glintora has been lost due to Winsock error: ") +
            QString::number(number) + QStringLiteral("\r\n") + description);
    if (wasLogin) emit loginFinished(false);
}

RelayConnection::Reply RelayConnection::DoWinsock(const std::string& frame,
                                                  ExchangeSettings& settings) {
    Reply result;
    if (!IsEstablished()) {
        result.ConnectionLost = true;
        return result;
    }
    ++sequence_;
    if (sequence_ < 0 || sequence_ > 255) sequence_ = 0;
    answerReady_ = false;
    answerIsError_ = false;
    answer_.clear();
    phase_ = Phase::Exchange;
    const QByteArray message = ToBytes("2" + std::to_string(sequence_) + "|" + frame);
    Log(true, message.toStdString());
    socket_.write(message);
    emit messageSent(message);

    ExchangeWait wait(settings);
    wait.WakeOn(this, &RelayConnection::answerArrived);
    wait.WakeOn(&socket_, &QTcpSocket::disconnected);
    wait.WakeOn(this, &RelayConnection::socketError);
    // A quick try's wait already holds the measured round trip to the server.
    const double serverMs = settings.QuickWaitMs() > 0 ? 0 : kRelayAllowanceMs;
    const double deadline = wait.NowMs() + serverMs +
                            static_cast<double>(frame.size()) * kCharacterMs +
                            settings.TryWaitMs() + kCharacterMs;
    while (!answerReady_ && !settings.Cancel() && wait.NowMs() < deadline) {
        if (!IsEstablished()) {
            result.ConnectionLost = true;
            break;
        }
        wait.WaitUntil(deadline);
    }
    phase_ = Phase::Idle;

    if (answerReady_ && !answerIsError_) {
        settings.SetHeard(true);
        result.Text = ClassifyReplyLine(answer_);
    } else if (!settings.Cancel() && !result.ConnectionLost) {
        result.Text =
            kNoResponseReply;  // no answer in time, or the server could not reach the panel
    }
    return result;
}

}  // namespace kvtk
