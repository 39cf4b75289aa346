// The simulated line reached through the relay server over TCP. (The
// pseudo-terminal is the line of every serial test of the tool.)

#include <gtest/gtest.h>

#include <QTcpSocket>

#include "sim/demo_line.h"
#include "sim/sim_relay_server.h"
#include "tests/sim/sim_test_support.h"

namespace kvtk {
namespace {

using test::ByteCollector;

class SimRelay : public ::testing::Test {
protected:
    void SetUp() override {
        line_ = MakeDemoLine();
        server_ = std::make_unique<SimRelayServer>(*line_, QStringLiteral("tech"),
                                                   QStringLiteral("s3cret"));
        server_->SetNoAnswerDelayMs(20);
        ASSERT_TRUE(server_->Listen());
        socket_.connectToHost(QStringLiteral("127.0.0.1"), server_->Port());
        ASSERT_TRUE(socket_.waitForConnected(2000));
        QObject::connect(&socket_, &QTcpSocket::readyRead, &in_,
                         [this] { in_.Add(socket_.readAll()); });
    }
    QByteArray Ask(const QByteArray& message) {
        in_.Clear();
        socket_.write(message);
        in_.WaitFor([this] { return in_.Bytes().endsWith("\r\n"); });
        return in_.Bytes();
    }

    std::unique_ptr<SimLine> line_;
    std::unique_ptr<SimRelayServer> server_;
    QTcpSocket socket_;
    ByteCollector in_;
};

TEST_F(SimRelay, LoginThenCommandsAnsweredBySequenceNumber) {
    EXPECT_EQ(Ask("21|01LR73\r"), QByteArray("1ERR not logged in\r\n"));
    EXPECT_TRUE(Ask("0tech|wrong\r").startsWith("NO"));
    EXPECT_TRUE(Ask("0tech|s3cret\r").startsWith("OK"));
    EXPECT_EQ(Ask("21|01LR73\r"), QByteArray("1A0001C1\r\n"));
    EXPECT_EQ(Ask("2255|02KV\r"), QByteArray("255AKV-4800  04009E\r\n"));
    EXPECT_EQ(Ask("20|11KV\r"), QByteArray("0ERR no answer from the panel\r\n"));
    EXPECT_EQ(Ask("23|04LR73\r"), QByteArray("3ERR no answer from the panel\r\n"));
    EXPECT_EQ(line_->PanelAt(2)->Received(), std::vector<std::string>{"KV"});
}

}  // namespace
}  // namespace kvtk
