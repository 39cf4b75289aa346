#pragma once
// A relay server on the loopback interface that serves one simulated line:
// a client logs in with "0" + user + "|" + password + CR ("OK" or a
// refusal), then sends "2" + sequence + "|" + address field + command + CR
// and gets the sequence number + the panel's reply line + CR LF, or the
// sequence number + "ERR..." + CR LF when no panel answers in time.
// The password is only compared, never shown or logged.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <string>

#include "sim/sim_line.h"

class QTcpSocket;

namespace kvtk {

class SimRelayServer : public QObject {
    Q_OBJECT
public:
    SimRelayServer(SimLine& line, QString user, QString password, QObject* parent = nullptr);
    ~SimRelayServer() override;

    bool Listen(quint16 port = 0);
    quint16 Port() const;
    QString ErrorText() const { return server_.errorString(); }

    // How long the server waits for a panel before it answers "ERR".
    void SetNoAnswerDelayMs(int ms) { noAnswerDelayMs_ = ms; }
    int ConnectedClients() const { return clients_; }

private:
    void Accept();
    void ReadClient(QTcpSocket* socket);
    void HandleMessage(QTcpSocket* socket, const std::string& message);

    SimLine& line_;
    QString user_;
    QString password_;
    QTcpServer server_;
    QElapsedTimer clock_;
    int noAnswerDelayMs_ = 200;
    int clients_ = 0;
};

}  // namespace kvtk
