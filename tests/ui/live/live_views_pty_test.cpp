// The live views and the bad-relay check of the main window, through the
// real serial exchange to the demonstration line served on a pseudo-terminal.
#include <QAction>
#include <QPushButton>
#include <QTest>

#include "sim/demo_line.h"
#include "tests/comm/pty_exchange.h"
#include "tests/support/main_window_fixture.h"
#include "ui/device/device_commands.h"
#include "ui/live/frmGroupCheck.h"
#include "ui/live/group_indicator.h"
#include "ui/live/live_commands.h"

namespace kvtk {
namespace {

class LiveViewsPtyTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_EQ(rig.Open(), "");
        rig.settings.SetMaxResponseMs(300);
        window->Live().SetExchange(&rig.exchange);
        window->Device().Host().SetMessageSink([this](const QString& text) { messages << text; });
    }
    SimPanel& panel(int address) { return *line->PanelAt(address); }

    std::unique_ptr<SimLine> line = MakeDemoLine();
    test::PtyExchange rig{*line};
    QStringList messages;
};

TEST_F(LiveViewsPtyTest, GroupViewTogglesAGroupOnThePanel) {
    GoOnline(1, "WQ16 Version 5.00");
    ASSERT_TRUE(panel(1).GroupOn(7));
    window->mnuGroupViewModify()->trigger();
    frmGroupCheck& view = window->Live().GroupCheck();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view.picGroup(7)->CurrentState() == GroupIndicator::State::On; }));
    QTest::mouseDClick(view.picGroup(7), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel(1).GroupOn(7); }));
    view.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isVisible() && !view.Looping(); }));

    // A lost link: the failure message is cancelled and the window closes.
    window->mnuGroupViewModify()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.isVisible(); }));
    rig.pty.CloseMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isVisible() && !view.Looping(); }));
    EXPECT_FALSE(rig.prompter.asked.empty());
}

TEST_F(LiveViewsPtyTest, BadRelaysAreListedAndCleared) {
    GoOnline(7, "TMC-1400 Version 4.00");
    window->mnuOtherCheckBadRelays()->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("Bad Relays|Bad relays are: 3 .")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Bad relay information is cleared.")});
    EXPECT_EQ(panel(7).Register("78"), std::string(16, '0'));
}

}  // namespace
}  // namespace kvtk
