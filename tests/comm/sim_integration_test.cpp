// The exchange over a real pseudo-terminal and real loopback TCP against the
// simulated panels.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <termios.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTimer>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/port_slots.h"
#include "comm/relay_connection.h"
#include "comm/serial_link.h"
#include "model/configuration.h"
#include "model/products.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"
#include "tests/comm/pty_exchange.h"
#include "tests/comm/scripted_prompter.h"
#include "tests/comm/timed.h"

namespace kvtk {
namespace {

using test::Timed;

// A line with a current panel at 2, a panel without "KV" at 17 and nobody
// at 9.
void AddPanels(SimLine& line) {
    line.AddPanel(2, "KV-4800", "0400");
    line.AddPanel(17, "KV-4500", "0107", false);
}

class PtyTest : public ::testing::Test {
protected:
    PtyTest() : rig(line) {
        AddPanels(line);
        settings.SetMaxResponseMs(100);
    }
    void SetUp() override { ASSERT_EQ(rig.Open(), ""); }

    SimLine line;
    test::PtyExchange rig;
    ExchangeSettings& settings = rig.settings;
    SerialLink& link = rig.link;
    SimPty& pty = rig.pty;
    CommandExchange& exchange = rig.exchange;
};

TEST_F(PtyTest, IdentifyPanelFindsEachKindOfAddress) {
    Configuration config;
    EXPECT_EQ(IdentifyPanel(config, exchange, 2), "KV-4800 Version 4.00");
    EXPECT_EQ(IdentifyPanel(config, exchange, 9), "Not connected");
    EXPECT_EQ(IdentifyPanel(config, exchange, 17), "KV-4500 Version 1.07");
    EXPECT_EQ(config.AddressTable[2].Status, "KV-4800 Version 4.00");
    EXPECT_THAT(line.PanelAt(2)->Received(), ::testing::ElementsAre("LR73", "KV"));
}

// The settings the port leaves on the line, read back from the device.
TEST_F(PtyTest, PortRunsAt9600EightDataBitsNoParityOneStopBit) {
    const int fd = ::open(pty.SlavePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(fd, &line), 0);
    ::close(fd);
    EXPECT_EQ(::cfgetispeed(&line), B9600);
    EXPECT_EQ(::cfgetospeed(&line), B9600);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);
}

TEST_F(PtyTest, PortDisappearingMidExchangeEndsItAndClosesThePort) {
    settings.SetMaxResponseMs(5000);
    QSignalSpy lost(&link, &ByteLink::linkLost);
    QTimer::singleShot(50, &pty, [this] { pty.CloseMaster(); });
    std::string reply;
    const double ms = Timed([&] { reply = exchange.Exchange(9, "LR73", "", 0); });
    EXPECT_EQ(reply, "T");
    EXPECT_LT(ms, 3000);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_FALSE(link.isOpen());
}

TEST_F(PtyTest, DiscoveryListsOpenableSlotsAndABusyPortSaysOops) {
    link.close();
    PortSlots portSlots(QStringList{});
    portSlots.Bind(2, pty.SlavePath());
    portSlots.Bind(3, QStringLiteral("/nonexistent/ttyX"));
    EXPECT_EQ(DiscoverPorts(portSlots), QStringList{QStringLiteral("Com2")});

    PortOpenFailure failure;
    auto first = OpenPortSlot(portSlots, 2, failure);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenPortSlot(portSlots, 2, failure), nullptr);  // locked by `first`
    EXPECT_EQ(failure.Kind, PortOpenError::InUse);
    EXPECT_EQ(failure.Title, QStringLiteral("Oops"));
    EXPECT_EQ(failure.Text,
              QStringLiteral("The port you selected is now in use. Please select another port."));
}

}  // namespace
}  // namespace kvtk
