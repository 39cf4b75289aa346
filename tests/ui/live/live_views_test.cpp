// The live group and input windows on a simulated panel answering at once,
// and the menu commands that open them.
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "sim/sim_panel.h"
#include "tests/support/fake_panel.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/product_config.h"
#include "ui/live/frmGroupCheck.h"
#include "ui/live/frmInputCheck.h"
#include "ui/live/group_indicator.h"

namespace kvtk {
namespace {

// A configuration online with a simulated panel that answers every command
// at once.
class LiveViewTest : public ::testing::Test {
protected:
    void Connect(const std::string& model, const std::string& version) {
        panel = std::make_unique<SimPanel>(1, model, version);
        config = test::OnlineConfigFor(model, version);
        exchange.Responder = [this](int, const std::string& command) {
            return panel->Handle(command).value_or("T");
        };
    }
    template <typename Window>
    void Start(Window& window) {
        window.Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return passes > 1; }));
    }
    // Closes with the Close button, which then reads "&Auto Refresh" again.
    void Close(LiveWindow& window) {
        window.cmdAutoRefresh()->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible() && !window.Looping(); }));
        EXPECT_EQ(window.cmdAutoRefresh()->text(), QStringLiteral("&Auto Refresh"));
    }

    std::unique_ptr<SimPanel> panel;
    Configuration config;
    test::ScriptedPanel exchange;
    int passes = 0;
};

TEST_F(LiveViewTest, GroupWindowSwitchesByMouseAndKeyboard) {
    Connect("WQ16", "5.00");
    panel->Group(7) = {'0', 1, 0, 0, false};
    config.Groups[5].Name = "Office 101";
    frmGroupCheck window(config, exchange);
    QObject::connect(&window, &LiveWindow::passFinished, [this] { ++passes; });
    Start(window);
    EXPECT_EQ(window.cmdAutoRefresh()->text(), QStringLiteral("&Close"));
    EXPECT_EQ(window.lblName(5)->text(), QStringLiteral("Office 101"));
    EXPECT_EQ(window.picGroup(7)->accessibleName(), QStringLiteral("Group 7 on"));
    EXPECT_EQ(window.picGroup(6)->accessibleName(), QStringLiteral("Group 6 off"));

    // A double click on a group that shows on turns it off; neither of its
    // clicks asks for the status.
    QTest::mouseClick(window.picGroup(7), Qt::LeftButton);
    QTest::mouseDClick(window.picGroup(7), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->GroupOn(7); }));
    QTest::mouseRelease(window.picGroup(7), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(std::count(panel->Received().begin(), panel->Received().end(), "L07"), 0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.picGroup(7)->accessibleName() == QStringLiteral("Group 7 off"); }));

    // Focus selects the group for the buttons; Space toggles, Enter asks
    // for the status.
    window.picGroup(5)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(window.cmdGroupOn()->text(), QStringLiteral("&Turn group 5 on"));
    QTest::keyClick(window.picGroup(5), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->GroupOn(5); }));
    QTest::keyClick(window.picGroup(5), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.OnOffP()->text().contains(QStringLiteral("by serial command")); }));

    window.cmdAllOff()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->GroupOn(5); }));
    Close(window);
}

TEST_F(LiveViewTest, InputWindowShowsAPanelsInputsAndCalibration) {
    Connect("KV-4800", "4.00");
    panel->SetLiveInput(2, true);
    panel->SetLiveInput(16, true);
    frmInputCheck window(config, exchange);
    QStringList messages;
    window.SetMessageSink([&](const QString& text) { messages << text; });
    QObject::connect(&window, &LiveWindow::passFinished, [this] { ++passes; });
    Start(window);
    EXPECT_TRUE(window.InputChildSel(2)->isChecked());
    EXPECT_TRUE(window.InputChildSel(16)->isChecked());
    EXPECT_FALSE(window.InputChildSel(3)->isChecked());
    EXPECT_FALSE(window.InputChildSel(17)->isVisible());
    EXPECT_TRUE(window.fraAnalog()->isVisible());
    EXPECT_EQ(window.lblAnalog(5)->text(), QStringLiteral("80"));

    // A refused calibration text keeps the focus; a good one applies at once.
    window.calHigh()->setFocus(Qt::TabFocusReason);
    window.calHigh()->selectAll();
    QTest::keyClicks(window.calHigh(), QStringLiteral("abc"));
    window.calLow()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Invalid value.")});
    EXPECT_TRUE(window.calHigh()->hasFocus());
    EXPECT_EQ(config.Panel.UnitsAt5V, "100");
    window.calHigh()->selectAll();
    QTest::keyClicks(window.calHigh(), QStringLiteral("1000"));
    window.calLow()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.lblAnalog(5)->text() == QStringLiteral("800"); }));
    Close(window);
}

// Closing during an exchange: the window stays, reading "&Auto Refresh",
// until the loop has ended, and nothing reaches the panel once it is gone.
TEST_F(LiveViewTest, ClosingKeepsTheWindowUntilTheLoopHasEnded) {
    Connect("WQ60", "5.00");
    frmGroupCheck window(config, exchange);
    bool sentWhileHidden = false;
    bool closeAsked = false;
    exchange.Responder = [&](int, const std::string& command) {
        if (!window.isVisible()) sentWhileHidden = true;
        if (passes > 1 && !closeAsked) {
            closeAsked = true;
            QTimer::singleShot(0, &window, [&] {
                QCloseEvent closeBox;  // as the window manager's close box sends it
                QApplication::sendEvent(window.windowHandle(), &closeBox);
                EXPECT_TRUE(window.isVisible());
                EXPECT_EQ(window.cmdAutoRefresh()->text(), QStringLiteral("&Auto Refresh"));
            });
        }
        QEventLoop wire;  // the reply takes its time on the line
        QTimer::singleShot(5, &wire, &QEventLoop::quit);
        wire.exec();
        return panel->Handle(command).value_or("T");
    };
    QObject::connect(&window, &LiveWindow::passFinished, [this] { ++passes; });
    Start(window);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible() && !window.Looping(); }));
    EXPECT_TRUE(closeAsked);
    EXPECT_FALSE(sentWhileHidden);
}

TEST_F(LiveViewTest, CancelledFailureAtOpeningClosesTheWindow) {
    Connect("WQ16", "5.00");
    frmGroupCheck window(config, exchange);
    exchange.Queued = {""};
    window.Start();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(exchange.Commands().back(), "LR64");
}

// The menu commands need a panel; the bad-relay check also a model with
// the register.
TEST_F(MainWindowTest, LiveMenusFollowConnectionAndProduct) {
    struct Case {
        bool online;
        const char* product;
        bool views, badRelays;
    } cases[] = {
        {false, "TMC-1400 Version 4.00", false, false},
        {true, "WQ16 Version 5.00", true, false},
        {true, "TMC-1400 Version 4.00", true, true},
        {false, "TMC-1400 Version 4.00", false, false},
    };
    for (const Case& c : cases) {
        window->SetIdentity(IdentityFromText(c.product));
        window->SetConnection(c.online ? PanelConnection::Serial(1) : PanelConnection::Offline());
        EXPECT_EQ(window->mnuInputView()->isEnabled(), c.views) << c.product;
        EXPECT_EQ(window->mnuGroupViewModify()->isEnabled(), c.views) << c.product;
        EXPECT_EQ(window->mnuOtherCheckBadRelays()->isEnabled(), c.badRelays) << c.product;
    }
}

}  // namespace
}  // namespace kvtk
