// The special options dialog, and the factory product code window changing
// the code over a pseudo-terminal that the simulated panel saves.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "sim/sim_line.h"
#include "tests/comm/pty_exchange.h"
#include "tests/support/accessible_names.h"
#include "tests/support/main_window_fixture.h"
#include "ui/device/device_commands.h"
#include "ui/device/frmProductCode.h"
#include "ui/device/frmSpecialOptions.h"

namespace kvtk {
namespace {

class PanelOptionsTest : public MainWindowTest {};

TEST_F(PanelOptionsTest, SpecialOptionsShowAndSetTheMask) {
    config().Panel.SpecialOptions = 5;
    window->mnuOtherSpecialOptions()->trigger();
    frmSpecialOptions& dialog = window->SpecialOptions();
    ASSERT_TRUE(dialog.isVisible() && dialog.isModal());
    EXPECT_EQ(test::SweepAccessibleNames(dialog).Unnamed, QStringList());
    const auto boxes = [&dialog] {
        QString shown;
        for (int i = 0; i < kSpecialOptionCount; ++i)
            shown += dialog.chkOption(i)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        return shown;
    };
    EXPECT_EQ(boxes(), QStringLiteral("10100000"));
    config().Panel.SpecialOptions = 0;
    dialog.cmdOK()->click();
    window->mnuOtherSpecialOptions()->trigger();          // shown again: the mask as it is now
    QTest::keyClick(dialog.chkOption(1), Qt::Key_Space);  // Option 2 brings Option 1
    EXPECT_EQ(boxes(), QStringLiteral("11000000"));
    EXPECT_EQ(config().Panel.SpecialOptions, 3);
}

void Choose(frmProductCode& window, const char* product) {
    const auto found =
        window.lstProductCodes()->findItems(QString::fromLatin1(product), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    window.lstProductCodes()->setCurrentItem(found.front());
}

TEST_F(PanelOptionsTest, ProductCodeChangeReachesThePanelOverAPseudoTerminal) {
    SimLine line;
    SimPanel& panel = line.AddPanel(4, "KV-4800", "0400");
    test::PtyExchange rig(line);
    ASSERT_EQ(rig.Open(), "");
    rig.settings.SetMaxResponseMs(300);
    frmProductCode dialog(4, rig.exchange, window->Device().Host());
    dialog.show();
    EXPECT_EQ(test::SweepAccessibleNames(dialog).Unnamed, QStringList());
    EXPECT_EQ(dialog.lstProductCodes()->currentItem()->text(), QStringLiteral("TMC-1400"));
    Choose(dialog, "WQ16");
    dialog.cmdChange()->click();
    EXPECT_EQ(dialog.lblStatus()->text(), QStringLiteral("Product Code Change Accepted "));
    EXPECT_EQ(panel.SavedRegister("1"), "0A");
    EXPECT_EQ(panel.Model(), "WQ16");
    EXPECT_THAT(rig.prompter.asked, ::testing::IsEmpty());
    // The status line clears when the focus comes back to the list.
    QFocusEvent backToList(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dialog.lstProductCodes(), &backToList);
    EXPECT_EQ(dialog.lblStatus()->text(), QString());

    // Alt+C leaves the focus in the list: choosing another product there
    // takes the status away from the row it was given for.
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.lstProductCodes()->setFocus(Qt::TabFocusReason);
    dialog.cmdChange()->click();  // as Alt+C does, without taking the focus
    ASSERT_EQ(dialog.lblStatus()->text(), QStringLiteral("Product Code Change Accepted "));
    EXPECT_TRUE(dialog.lstProductCodes()->hasFocus());
    QTest::keyClick(dialog.lstProductCodes(), Qt::Key_Down);
    EXPECT_EQ(dialog.lblStatus()->text(), QString());
}

}  // namespace
}  // namespace kvtk
