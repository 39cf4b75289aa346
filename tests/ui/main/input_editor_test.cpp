#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include "tests/support/main_window_fixture.h"
#include "ui/widgets/number_field.h"

namespace kvtk {
namespace {

using InputEditorTest = MainWindowTest;

void Choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void TypeTimer(QComboBox* timer, const QString& key) {
    timer->setFocus(Qt::TabFocusReason);
    timer->lineEdit()->selectAll();
    QTest::keyClicks(timer, key);
}

TEST_F(InputEditorTest, RowsFollowTheScrollBar) {
    SetInputCount(15);
    EXPECT_EQ(inputs().InputSelector()->maximum(), 6);
    inputs().ShowFrom(6);
    EXPECT_EQ(row(1).LinesInput->text(), QStringLiteral("6"));
    EXPECT_EQ(row(10).LinesInput->text(), QStringLiteral("15"));
    EXPECT_EQ(row(10).txtInputName->accessibleName(), QStringLiteral("Input 15 name"));

    SetInputCount(8);
    EXPECT_EQ(inputs().InputSelector()->maximum(), 1);
    EXPECT_EQ(inputs().FirstShown(), 1);
    EXPECT_TRUE(row(8).txtInputName->isVisible());
    EXPECT_FALSE(row(9).txtInputName->isVisible());
}

TEST_F(InputEditorTest, EditsGoStraightIntoTheRecords) {
    const InputRow& r = row(2);
    r.txtInputName->setText(QStringLiteral("  Door  "));
    EXPECT_EQ(config().Inputs[2].Name, "Door");
    r.chkInputFlash->click();
    EXPECT_EQ(config().Inputs[2].Flash, 1);
    r.LinePolarityClosed->click();
    EXPECT_EQ(config().Inputs[2].Polarity, 1);
    EXPECT_FALSE(r.LinePolarityOpen->isChecked());
    r.LinePolarityClosed->click();  // unticking Closed ticks Open
    EXPECT_TRUE(r.LinePolarityOpen->isChecked());
    EXPECT_EQ(config().Inputs[2].Polarity, 0);
    r.LinePolarityOpen->click();
    EXPECT_TRUE(r.LinePolarityClosed->isChecked());
    EXPECT_EQ(config().Inputs[2].Polarity, 1);
}

// Which partner follows is the input rules'; here the rows redraw it, on
// screen or off, and a choice for a missing partner beeps.
TEST_F(InputEditorTest, LinkedOnPartnersRedrawAndAMissingOneBeeps) {
    TypeTimer(row(3).cmbInputTimer, QStringLiteral("2"));
    Choose(row(3).cmbInputType, kLinkedOn);
    EXPECT_EQ(row(4).cmbInputType->currentIndex(), kLinkedOn);
    EXPECT_EQ(row(4).cmbInputTimer->currentText(), QStringLiteral("2"));
    TypeTimer(row(4).cmbInputTimer, QStringLiteral("1"));
    EXPECT_EQ(row(3).cmbInputTimer->currentText(), QStringLiteral("1"));
    Choose(row(3).cmbInputType, kMaintained);
    EXPECT_EQ(row(4).cmbInputType->currentIndex(), kMomentaryOn);
    EXPECT_EQ(beeps, 0);

    SetInputCount(15);
    inputs().ShowFrom(6);
    Choose(row(1).cmbInputType, kLinkedOn);  // input 6: partner 5 off screen
    EXPECT_EQ(config().Inputs[5].Type, kLinkedOn);
    Choose(row(10).cmbInputType, kLinkedOn);  // input 15, partner 16 missing
    TypeTimer(row(10).cmbInputTimer, QStringLiteral("3"));
    EXPECT_EQ(config().Inputs[15].Type, kLinkedOn);
    EXPECT_EQ(beeps, 2);
    inputs().ShowFrom(1);  // redrawing repeats no beep
    inputs().ShowFrom(6);
    EXPECT_EQ(beeps, 2);
}

TEST_F(InputEditorTest, TimerTakesOnlyZeroToThree) {
    TypeTimer(row(1).cmbInputTimer, QStringLiteral("7a"));
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(config().Inputs[1].Timer, 0);
    TypeTimer(row(1).cmbInputTimer, QStringLiteral("23"));  // each key replaces the text
    EXPECT_EQ(row(1).cmbInputTimer->currentText(), QStringLiteral("3"));
    EXPECT_EQ(config().Inputs[1].Timer, 3);
}

TEST_F(InputEditorTest, GroupNumbersAreKeptInRange) {
    Open("KV-??00 Version 1.10+");             // 60 groups from 1
    window->SetIdentity({"KV-4900", "1.09"});  // 30 groups from 1
    NumberField* group = row(1).txtInputGroupNumber;
    Type(group, QStringLiteral("45"));
    EXPECT_EQ(group->text(), QStringLiteral("30"));
    EXPECT_EQ(config().Inputs[1].Group, 30);
    EXPECT_EQ(beeps, 1);
    config().Inputs[3].Group = 61;  // as a file could hold: becomes the first
    window->RefreshInputs();
    EXPECT_EQ(row(3).txtInputGroupNumber->text(), QStringLiteral("1"));
    EXPECT_EQ(config().Inputs[3].Group, 1);
}

TEST_F(InputEditorTest, GroupNamesAndNumbersFollowEachOther) {
    config().Groups[5].Name = "Hall";
    config().Groups[9].Name = "Stage";
    window->RebuildGroupNameLists();
    const InputRow& r = row(1);
    ASSERT_EQ(r.cmbInputGroupName->count(), 2);
    EXPECT_EQ(r.cmbInputGroupName->currentIndex(), -1);  // input 1 is in group 1, unnamed
    Choose(r.cmbInputGroupName, 1);
    EXPECT_EQ(r.txtInputGroupNumber->text(), QStringLiteral("9"));
    EXPECT_EQ(config().Inputs[1].Group, 9);
    Type(r.txtInputGroupNumber, QStringLiteral("5"));
    EXPECT_EQ(r.cmbInputGroupName->currentText(), QStringLiteral("Hall"));
    Type(r.txtInputGroupNumber, QStringLiteral("0"));  // WQ08: groups from 0
    EXPECT_EQ(config().Inputs[1].Group, 0);
    EXPECT_EQ(r.cmbInputGroupName->currentIndex(), -1);
    EXPECT_FALSE(r.cmdInputGroupSetup->isEnabled());  // no group 0 to set up
    EXPECT_EQ(beeps, 0);
}

QAction* MenuEntry(frmMain& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// The rules themselves are checked in tests/model; here each menu entry must
// reach its rule with its own choice, and the rows must show the result.
TEST_F(InputEditorTest, InputMenuEntriesReachTheirRulesAndRedraw) {
    MenuEntry(*window, "mnuInputSetAllType_2")->trigger();
    MenuEntry(*window, "mnuInputSetAllPolarity_1")->trigger();
    MenuEntry(*window, "mnuInputSetAllTimer_3")->trigger();
    MenuEntry(*window, "mnuInputSetAllFlash_1")->trigger();
    EXPECT_EQ(config().Inputs[120].Type, kMomentaryOff);
    EXPECT_EQ(row(1).cmbInputType->currentIndex(), kMomentaryOff);
    EXPECT_TRUE(row(1).LinePolarityClosed->isChecked());
    EXPECT_EQ(row(1).cmbInputTimer->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(row(1).chkInputFlash->isChecked());

    window->SetIdentity({"KV-4800", "2.05"});  // 12 groups from 0, 16 inputs
    config().Groups[3].Name = "Three";
    MenuEntry(*window, "mnuInputAutoAssignGroups_0")->trigger();
    EXPECT_EQ(row(3).txtInputGroupNumber->text(), QStringLiteral("3"));
    EXPECT_EQ(row(3).txtInputName->text(), QString());
    MenuEntry(*window, "mnuInputSetDefault_0")->trigger();
    EXPECT_EQ(row(3).txtInputName->text(), QStringLiteral("Input 3"));
    MenuEntry(*window, "mnuInputSetDefault_1")->trigger();
    EXPECT_EQ(row(3).txtInputName->text(), QStringLiteral("Three"));
    config().Groups[3].Name = "Tres";
    MenuEntry(*window, "mnuInputAutoAssignGroups_1")->trigger();
    EXPECT_EQ(row(3).txtInputName->text(), QStringLiteral("Tres"));
}

}  // namespace
}  // namespace kvtk
