// The communication window's traffic pane: the frames and lines of both
// kinds of link, at most its bound of lines, never the relay password, and
// saved through the all-or-nothing save.
#include "ui/comm/traffic_pane.h"

#include <gmock/gmock.h>

#include <QPushButton>
#include <QTest>

#include "comm/panel_line.h"
#include "comm/port_slots.h"
#include "sim/sim_line.h"
#include "sim/sim_relay_server.h"
#include "sim/simulated_link.h"
#include "tests/files/test_folder.h"
#include "ui/comm/frmComm.h"
#include "ui/comm/message_prompter.h"

namespace kvtk {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class TrafficPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        line.AddPanel(1, "WQ16", "0500");
        panelLine.BindSlotFactory(
            1, [this] { return std::make_unique<SimulatedLink>(line); }, QStringLiteral("sim"));
        panelLine.Exchange().SetOffline(false);
        comm.show();
    }
    std::string Shown() {
        comm.TrafficView().Refresh();
        return comm.TrafficView().Text().toStdString();
    }

    SimLine line;
    MessagePrompter prompts;
    PanelLine panelLine{PortSlots(QStringList{}), prompts};
    frmComm comm{panelLine};
};

TEST_F(TrafficPaneTest, ShowsSerialAndRelayTrafficButNeverThePassword) {
    comm.cmdTraffic()->click();
    ASSERT_TRUE(panelLine.OpenSlot(1));
    ASSERT_EQ(panelLine.Exchange().Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    EXPECT_THAT(Shown(), ::testing::MatchesRegex("[0-9:.]{12} > >01LR73..\\\\r\n"
                                                 "[0-9:.]{12} < A0001..\\\\r"));

    SimRelayServer server(line, QStringLiteral("tech"), QStringLiteral("s3cret-pw"));
    ASSERT_TRUE(server.Listen());
    panelLine.Relay().SetLoginWindowMs(200);
    panelLine.Relay().Connect(QStringLiteral("127.0.0.1:%1").arg(server.Port()), "tech",
                              "s3cret-pw");
    ASSERT_TRUE(panelLine.Relay().WaitForLogin(5000));
    panelLine.Exchange().SetConnectionMode(ConnectionMode::Relay);
    ASSERT_EQ(panelLine.Exchange().Exchange(1, "LR73", "", FailureStyle::Silent), "A0001");
    const std::string shown = Shown();
    EXPECT_THAT(shown, HasSubstr("> 0tech|********\\r"));
    EXPECT_THAT(shown, HasSubstr("> 21|01LR73\\r"));
    EXPECT_THAT(shown, Not(HasSubstr("s3cret")));
}

TEST_F(TrafficPaneTest, KeepsTheLastLinesOnlyAndSavesThem) {
    comm.cmdTraffic()->click();
    const std::size_t bound = panelLine.Traffic().Capacity();
    for (std::size_t i = 1; i <= bound + 500; ++i)
        panelLine.Traffic().Add(TrafficDirection::Sent, "frame " + std::to_string(i));
    Shown();
    for (int i = 0; i < 3; ++i) panelLine.Traffic().Add(TrafficDirection::Received, "late");
    const std::string shown = Shown();
    EXPECT_EQ(comm.TrafficView().LineCount(), static_cast<int>(bound));
    EXPECT_THAT(shown, HasSubstr("> frame 504\n"));
    EXPECT_THAT(shown, Not(HasSubstr("> frame 503\n")));

    test::TestFolder folder;
    const std::string path = folder.File("traffic.txt");
    comm.TrafficView().SetPrompts([&path] { return QString::fromStdString(path); }, {});
    comm.TrafficView().SaveAs();
    EXPECT_EQ(test::FileBytes(path), shown + "\n");
}

}  // namespace
}  // namespace kvtk
