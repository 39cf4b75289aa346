#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "model/group_setup_rules.h"
#include "tests/support/accessible_names.h"
#include "tests/support/main_window_fixture.h"
#include "ui/groups/frmGroupSetup.h"
#include "ui/widgets/group_number_field.h"

namespace kvtk {
namespace {

class GroupSetupTest : public MainWindowTest {
protected:
    frmGroupSetup& editor() { return window->GroupSetup(); }
    GroupConfig& group(int g) { return config().Groups[static_cast<std::size_t>(g)]; }

    void OpenOn(int g) {
        window->OpenGroupSetupOn(QString::number(g));
        QApplication::setActiveWindow(&editor());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor()));
        beeps = 0;
    }
    void Show(int g) { editor().txtGroup()->setText(QString::number(g)); }
    QAction* Command(const char* name) {
        auto* action = editor().findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    int MembersEqualTo(int g, int16_t value) {
        return static_cast<int>(
            std::count(group(g).Members.begin() + 1, group(g).Members.end(), value));
    }
    int ShownBoxes() {
        int shown = 0;
        for (int k = 1; k <= kMemberCount; ++k) shown += editor().chkMember(k)->isVisible();
        return shown;
    }
};

TEST_F(GroupSetupTest, NormalGroupShowsItsRelaysAndTheButtonsActOnAllSixty) {
    config().Inputs[5].Name = "Lobby";
    config().Inputs[5].Group = 2;
    config().Inputs[6].Group = 2;
    row(2).cmdInputGroupSetup->click();  // input 2 has group 2 from the start
    ASSERT_TRUE(editor().isVisible() && editor().isModal());
    EXPECT_EQ(editor().cmbInputs()->count(), 3);
    EXPECT_EQ(editor().cmbInputs()->currentText(), QStringLiteral("2"));
    EXPECT_EQ(editor().cmbInputs()->itemText(1), QStringLiteral("5=Lobby"));
    EXPECT_EQ(ShownBoxes(), 8);  // WQ08: 8 relays
    EXPECT_EQ(test::SweepAccessibleNames(editor()).Unnamed, QStringList());
    EXPECT_TRUE(editor().chkMember(2)->isChecked());

    editor().cmdAddAll()->click();
    EXPECT_EQ(MembersEqualTo(2, 1), 60);
    editor().cmdInvert()->click();
    EXPECT_EQ(MembersEqualTo(2, 0), 60);
    editor().cmdInvert()->click();
    EXPECT_EQ(MembersEqualTo(2, kTrue), 60);
    editor().cmdRemoveAll()->click();
    EXPECT_EQ(MembersEqualTo(2, 0), 60);

    // Edits go straight into the record.
    editor().chkMember(3)->click();
    EXPECT_EQ(group(2).Members[3], kTrue);
    editor().GroupPrioritySel(3)->click();
    EXPECT_EQ(group(2).Priority, 3);
    editor().GroupOverrideSel()->click();
    EXPECT_EQ(group(2).SerialOnPriority, 0);
    EXPECT_EQ(beeps, 0);
}

TEST_F(GroupSetupTest, ShowingASupergroupKeepsTheSupergroupRules) {
    group(10).Type = kSuperGroup;
    group(10).SetMember(11, true);
    group(10).SetMember(3, true);
    group(11).Type = kSuperGroup;
    group(11).SetMember(10, true);
    group(11).SetMember(4, true);
    group(11).ConstantFlash = kTrue;  // SerialOnPriority starts true
    OpenOn(11);
    EXPECT_FALSE(group(10).HasMember(11));
    EXPECT_TRUE(group(10).HasMember(3));
    EXPECT_FALSE(group(11).HasMember(10));
    EXPECT_TRUE(group(11).HasMember(4));
    EXPECT_EQ(group(11).SerialOnPriority, 0);
    EXPECT_EQ(group(11).ConstantFlash, 0);
    EXPECT_FALSE(editor().GroupOverrideSel()->isEnabled());
    EXPECT_FALSE(editor().FlashControl()->isEnabled());
    EXPECT_TRUE(editor().GroupTypeSel(1)->isChecked());
    EXPECT_EQ(ShownBoxes(), 60);
    EXPECT_FALSE(editor().chkMember(10)->isEnabled());
    EXPECT_TRUE(editor().chkMember(4)->isChecked());

    // Add all: every normal group; Invert leaves supergroups out as well.
    editor().cmdAddAll()->click();
    EXPECT_EQ(group(11).Members[1], 1);
    EXPECT_EQ(group(11).Members[10], 0);
    EXPECT_EQ(group(11).Members[11], 0);
    editor().cmdRemoveAll()->click();
    editor().cmdInvert()->click();
    EXPECT_EQ(group(11).Members[1], kTrue);
    EXPECT_EQ(group(11).Members[10], 0);

    // Group 3 shows which supergroups hold it; making it Super takes it out.
    Show(3);
    EXPECT_EQ(editor().cmbSupergroups()->count(), 2);  // 11 got it by Invert
    EXPECT_EQ(editor().cmbSupergroups()->currentText(), QStringLiteral("10"));
    editor().GroupTypeSel(1)->click();
    EXPECT_EQ(group(3).Type, kSuperGroup);
    EXPECT_FALSE(group(10).HasMember(3));
    EXPECT_FALSE(group(11).HasMember(3));
}

TEST_F(GroupSetupTest, WithoutSupergroupsTheTypeStaysButASuperGroupStillShowsAsOne) {
    Open("KV-4800 Version 2.05+");  // 12 groups, no supergroups
    OpenOn(2);
    group(5).Type = kSuperGroup;  // e.g. from a file
    Show(5);
    EXPECT_FALSE(editor().GroupTypeFrame()->isEnabled());
    EXPECT_EQ(editor().cmbSupergroups()->count(), 0);
    EXPECT_TRUE(editor().GroupTypeSel(0)->isChecked());  // the last selection
    EXPECT_EQ(editor().lblGroup()->text(), QStringLiteral("Supergroup:"));
    // The menu makes no supergroups either; default names cover all sixty.
    EXPECT_FALSE(Command("mnuZoneSetAllType_1")->isEnabled());
    Command("mnuZoneCreateDefaultNames")->trigger();
    EXPECT_EQ(group(60).Name, "Group60");
}

TEST_F(GroupSetupTest, GroupNumberFieldRefusesAndResets) {
    OpenOn(4);
    GroupNumberField* field = editor().txtGroup();
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    // No group: the group's controls are disabled and edit nothing.
    EXPECT_FALSE(editor().cmbName()->isEnabled());
    EXPECT_FALSE(editor().GroupChildren()->isEnabled());
    QTest::keyClicks(field, QStringLiteral("7"));
    EXPECT_TRUE(editor().cmbName()->isEnabled());
    EXPECT_EQ(editor().CurrentGroup(), 7);

    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    editor().cmdDone()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    EXPECT_EQ(beeps, 1);
}

TEST_F(GroupSetupTest, NamesAreTrimmedListedRemovedAndChosen) {
    OpenOn(3);
    QLineEdit* name = editor().cmbName()->lineEdit();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("  Lobby  "));
    EXPECT_EQ(group(3).Name, "Lobby");
    EXPECT_EQ(editor().cmbName()->findData(3), 0);
    EXPECT_EQ(name->text(), QStringLiteral("  Lobby  "));  // the typing is left alone

    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(group(3).Name, "");
    EXPECT_EQ(editor().cmbName()->findData(3), -1);

    group(5).Name = "Hall";
    editor().Activate();  // each opening rebuilds the list
    const int hall = editor().cmbName()->findData(5);
    ASSERT_GE(hall, 0);
    editor().cmbName()->setCurrentIndex(hall);
    emit editor().cmbName()->activated(hall);
    EXPECT_EQ(editor().txtGroup()->text(), QStringLiteral("5"));
    EXPECT_EQ(group(3).Name, "");  // choosing renames nothing

    // Closing the editor gives the input rows the new names.
    editor().cmdDone()->click();
    EXPECT_FALSE(editor().isVisible());
    EXPECT_GE(row(1).cmbInputGroupName->findData(5), 0);
}

TEST_F(GroupSetupTest, GroupMenuCommands) {
    group(20).Type = kSuperGroup;
    group(20).SetMember(1, true);
    group(20).SetMember(2, true);
    OpenOn(20);

    Command("mnuZoneAutoAssign")->trigger();  // 8 relays
    EXPECT_TRUE(group(9).HasMember(1));
    EXPECT_FALSE(group(9).HasMember(9));
    EXPECT_TRUE(group(16).HasMember(8));
    EXPECT_EQ(group(1).Members[1], kTrue);
    EXPECT_TRUE(group(20).HasMember(2));  // supergroups keep theirs

    group(21).SerialOnPriority = kTrue;
    Command("mnuZoneSetAllSerialOn_0")->trigger();
    EXPECT_EQ(group(1).SerialOnPriority, 0);
    Command("mnuZoneSetAllSerialOn_1")->trigger();
    EXPECT_EQ(group(1).SerialOnPriority, 1);
    EXPECT_EQ(group(20).SerialOnPriority, 0);  // the supergroup shown stays clear
    EXPECT_FALSE(editor().GroupOverrideSel()->isChecked());
    Command("mnuZoneSetAllFlash_1")->trigger();
    EXPECT_EQ(group(2).ConstantFlash, 1);
    EXPECT_EQ(group(20).ConstantFlash, 0);

    Command("mnuZoneSetAllPriority_2")->trigger();
    EXPECT_EQ(group(60).Priority, 2);
    EXPECT_TRUE(editor().GroupPrioritySel(2)->isChecked());

    Command("mnuZoneCreateDefaultNames")->trigger();
    EXPECT_EQ(group(7).Name, "Group7");
    EXPECT_EQ(group(20).Name, "Supergroup20");
    EXPECT_EQ(editor().cmbName()->count(), 60);

    answer = false;
    Command("mnuZoneRemoveAllMembers")->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("Remove All?|")));
    EXPECT_TRUE(group(9).HasMember(1));
    answer = true;
    Command("mnuZoneRemoveAllMembers")->trigger();
    for (int g = 1; g <= kGroupCount; ++g) EXPECT_EQ(MembersEqualTo(g, 0), 60) << g;

    Command("mnuZoneSetAllType_0")->trigger();
    EXPECT_EQ(group(20).Type, kNormalGroup);
}

}  // namespace
}  // namespace kvtk
