#pragma once
// The TCP connection to the Glintora relay server: connecting, the login
// with its one-second answer window, the sequence-numbered command exchange
// (DoWinsock) and the reactions to the server closing the connection or a
// socket error. The password is kept only until the login is sent.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <string>

#include "comm/relay_lines.h"

namespace kvtk {

class ExchangeSettings;
class TrafficLog;

inline constexpr const char* kAuthenticatedStatus = "Authenticated with Glintora";
inline constexpr const char* kAuthenticationFailureStatus = "Authentication Failure";

// How the last login attempt ended.
enum class LoginOutcome {
    Pending,         // still connecting or waiting for the answer
    Authenticated,   // the server answered "OK"
    Refused,         // the server answered, but not "OK": the credentials
    NoAnswer,        // connected, but the login window passed in silence
    ClosedByServer,  // connected, and the server closed before answering
    SocketFailed,    // no connection (refused, unknown host, no route, ...)
};

class RelayConnection : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 17076;
    static constexpr int kLoginWindowMs = 1000;
    // The server's own forwarding time on top of the serial allowance.
    static constexpr int kRelayAllowanceMs = 500;
    static constexpr qsizetype kShownAnswerLength = 80;

    struct Reply {
        std::string Text;             // as DoComm: "A" + data, "C", "T", other line
        bool ConnectionLost = false;  // the connection went down while waiting
    };

    explicit RelayConnection(QObject* parent = nullptr);
    ~RelayConnection() override;

    // "host" or "host:port" (also "[v6-address]:port") -> host and port.
    // False when the host is missing or a given port is not 1 to 65535.
    static bool ParseServer(const QString& server, QString& host, quint16& port);

    // Closes an open connection, then starts connecting; once connected the
    // login is sent. Results arrive as signals.
    void Connect(const QString& server, const std::string& user, const std::string& password);
    // Serves events until the login window has ended or the attempt failed;
    // returns IsAuthenticated().
    bool WaitForLogin(int timeoutMs);
    // Closes the connection; no serverClosed() follows.
    void Close();

    bool IsEstablished() const;
    bool IsAuthenticated() const { return authenticated_; }
    // "closed" when an attempt starts, "connect" once connected, "error"
    // after a socket error.
    const QString& StateText() const { return stateText_; }
    const QString& HostName() const { return host_; }
    quint16 Port() const { return port_; }
    LoginOutcome Outcome() const { return outcome_; }
    // The socket's words for a SocketFailed outcome.
    const QString& FailureText() const { return failureText_; }
    // The start of the server's answer to the login, as it came.
    const QByteArray& LoginAnswer() const { return loginAnswer_; }
    // From sending the login to its "OK", in ms: the server's round trip,
    // which a quick try waits for on top of the line's own time.
    int LoginRoundTripMs() const { return loginRoundTripMs_; }
    int SequenceNumber() const { return sequence_; }
    // The login answer window (kLoginWindowMs; tests shorten it).
    void SetLoginWindowMs(int ms) { loginWindowMs_ = ms; }
    void SetSequenceNumber(int number) { sequence_ = number; }
    // Every line sent and received also goes to this log (not owned; may
    // be null). The login is logged without its password.
    void SetTrafficLog(TrafficLog* log) { traffic_ = log; }

    // Sends the relay frame under the next sequence number and waits for the
    // answer with that number, at most 500 ms + frame time + T.
    Reply DoWinsock(const std::string& frame, ExchangeSettings& settings);

signals:
    // The connect dialog's new status line.
    void statusChanged(const QString& status);
    void stateTextChanged(const QString& text);
    // End of the login window (or of a failed attempt).
    void loginFinished(bool authenticated);
    // The server closed the connection (ResetWinsock).
    void serverClosed();
    // A socket error closed the connection; `message` is the information
    // text to show before falling back to offline.
    void socketError(int number, const QString& description, const QString& message);
    // Internal: an answer to the awaited command arrived.
    void answerArrived();
    // Command traffic as it passes (never the login, which holds the
    // password): a message as sent, each line as received.
    void messageSent(const QByteArray& message);
    void lineReceived(const QByteArray& line);

private:
    enum class Phase { Idle, Login, Exchange };

    void SetStateText(const QString& text);
    void OnConnected();
    void OnReadyRead();
    void OnDisconnected();
    void OnError(QAbstractSocket::SocketError error);
    void OnLoginWindowEnded();
    void HandleLine(const std::string& line);
    void DecideLogin(const QByteArray& answer);
    void FailLogin(LoginOutcome outcome, const QString& status);
    void ForgetPassword();
    void FinishLogin();

    void Log(bool sent, const std::string& bytes);

    QTcpSocket socket_;
    QTimer loginWindow_;
    TrafficLog* traffic_ = nullptr;
    RelayLineSplitter lines_;
    QString host_;
    quint16 port_ = kDefaultPort;
    LoginOutcome outcome_ = LoginOutcome::Pending;
    QString failureText_;
    QByteArray loginAnswer_;
    QString stateText_ = QStringLiteral("closed");
    std::string loginUser_;
    std::string loginPassword_;
    bool loginRunning_ = false;  // from Connect to loginFinished
    bool loginDecided_ = false;
    bool authenticated_ = false;
    bool closingOurselves_ = false;
    int sequence_ = 0;
    int loginWindowMs_ = kLoginWindowMs;
    QElapsedTimer loginClock_;
    int loginRoundTripMs_ = 0;
    Phase phase_ = Phase::Idle;
    // The awaited answer of a running DoWinsock.
    bool answerReady_ = false;
    bool answerIsError_ = false;
    std::string answer_;
};

}  // namespace kvtk
