// The serial exchange over a real pseudo-terminal against a simulated panel.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "comm/port_slots.h"
#include "model/products.h"
#include "sim/sim_line.h"
#include "tests/comm/pty_exchange.h"
#include "tests/comm/timed.h"

namespace kvtk {
namespace {

using test::Timed;

class PtyTest : public ::testing::Test {
protected:
    PtyTest() : rig(line) {
        line.AddPanel(2, "KV-4800", "0400");  // and nobody at 9
        rig.settings.SetMaxResponseMs(100);
    }
    void SetUp() override { ASSERT_EQ(rig.Open(), ""); }

    SimLine line;
    test::PtyExchange rig;
};

// Identifying itself is the model's; here the frames reach a panel and back.
TEST_F(PtyTest, IdentifyPanelFindsEachKindOfAddress) {
    Configuration config;
    EXPECT_EQ(IdentifyPanel(config, rig.exchange, 2).Identity,
              (ProductIdentity{"KV-4800", "4.00"}));
    EXPECT_THAT(line.PanelAt(2)->Received(), ::testing::ElementsAre("LR73", "KV"));
}

// The settings the port leaves on the line, read back from the device.
TEST_F(PtyTest, PortRunsAt9600EightDataBitsNoParityOneStopBit) {
    const int fd = ::open(rig.pty.SlavePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY);
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
    rig.settings.SetMaxResponseMs(5000);
    QSignalSpy lost(&rig.link, &ByteLink::linkLost);
    QTimer::singleShot(50, &rig.pty, [this] { rig.pty.CloseMaster(); });
    std::string reply;
    const double ms =
        Timed([&] { reply = rig.exchange.Exchange(9, "LR73", "", FailureStyle::Silent); });
    EXPECT_EQ(reply, "T");
    EXPECT_LT(ms, 3000);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_FALSE(rig.link.isOpen());
}

TEST_F(PtyTest, DiscoveryListsOpenableSlotsAndABusyPortSaysOops) {
    rig.link.close();
    PortSlots portSlots(QStringList{});
    portSlots.Bind(2, rig.pty.SlavePath());
    portSlots.Bind(3, QStringLiteral("/nonexistent/ttyX"));
    EXPECT_EQ(DiscoverPorts(portSlots), QStringList{QStringLiteral("Com2")});

    PortOpenFailure failure;
    auto first = OpenPortSlot(portSlots, 2, failure);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenPortSlot(portSlots, 2, failure), nullptr);  // locked by `first`
    EXPECT_EQ(failure.Kind, PortOpenError::InUse);
    EXPECT_TRUE(failure.Text.contains(QStringLiteral("in use")));
    EXPECT_EQ(OpenPortSlot(portSlots, 3, failure), nullptr);  // no such device
    EXPECT_EQ(OpenPortSlot(portSlots, 4, failure), nullptr);  // bound to nothing
    EXPECT_EQ(failure.Kind, PortOpenError::NotFound);
}

// The port is held by whoever opened it first, by every name it has: a
// second opener through a stable-name link, or one that finds another
// program's lock on the device, is told in words and does not get it.
TEST_F(PtyTest, APortHeldByAnyNameIsRefusedAsInUse) {
    rig.link.close();
    QTemporaryDir dir;
    const QString device = rig.pty.SlavePath();
    const QString byId = dir.filePath(QStringLiteral("usb-FTDI_FT232R_A1B2-if00-port0"));
    ASSERT_TRUE(QFile::link(device, byId));
    const struct {
        const char* what;
        QString first;  // opened by this tool; empty: another program's flock
        QString second;
    } cases[] = {
        {"device, then stable name", device, byId},
        {"stable name, then device", byId, device},
        {"another program's lock", QString(), byId},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SerialLink first;
        int foreign = -1;
        if (c.first.isEmpty()) {
            foreign = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
            ASSERT_GE(foreign, 0);
            ASSERT_EQ(::flock(foreign, LOCK_EX | LOCK_NB), 0);
        } else {
            ASSERT_TRUE(first.open(c.first)) << first.failureText().toStdString();
        }
        SerialLink second;
        EXPECT_FALSE(second.open(c.second));
        EXPECT_EQ(second.lastOpenError(), PortOpenError::InUse);
        EXPECT_EQ(second.failureText().toStdString(),
                  c.second.toStdString() + " is in use by another program.");
        EXPECT_EQ(first.isOpen(), foreign < 0);  // the refused opener took nothing
        first.close();
        if (foreign >= 0) ::close(foreign);
        EXPECT_TRUE(second.open(c.second)) << second.failureText().toStdString();  // free again
    }
}

}  // namespace
}  // namespace kvtk
