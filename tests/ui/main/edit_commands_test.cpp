// Undo and redo of every kind of step on the main window: each puts back
// the whole configuration exactly and the menu names the step.
#include "ui/main/edit_commands.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <functional>

#include "files/config_writer.h"
#include "tests/files/test_folder.h"
#include "tests/support/fake_panel.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scripted_file_prompts.h"
#include "ui/device/device_commands.h"
#include "ui/files/file_commands.h"
#include "ui/files/names_commands.h"
#include "ui/groups/frmGroupSetup.h"

namespace kvtk {
namespace {

class EditCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        panel.DefaultReply = "A0000000000000000";  // every register read as zeros
        window->Device().SetExchange(&panel);
        window->Device().Host().SetWaitCapMs(20);
        ConnectChoice online{PanelConnection::Serial(1), 1, {"WQ16", "5.00"}};
        window->ApplyConnectChoice(online);
    }
    EditCommands& edit() { return window->Edit(); }
    NamesCommands& names() { return *window->findChild<NamesCommands*>(); }
    void Trigger(const char* name) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    std::string File(const char* name) const { return folder.File(name); }

    // Opens a file of the device on the line, with other values and names
    // than the window's, by the Open Option `option`.
    void OpenOtherFile(int option) {
        Configuration other = config();
        other.Inputs[3] = {"Stair", kMaintained, 1, 4, 2, kTrue};
        other.Groups[4].Name = "Stairwell";
        other.Panel.NumRelays = "12";
        const std::string path = File("other.kvx");
        ASSERT_TRUE(WriteConfigFile(path, other, {"01-01-26", "10:00:00", ""}).Ok());
        window->Files().SetPrompts(test::ScriptedPrompts::Opening(QString::fromStdString(path)));
        window->Files().Open(option);
    }

    test::ScriptedPanel panel;
    test::TestFolder folder;
};

TEST_F(EditCommandsTest, EveryKindOfStepIsUndoneAndRedoneExactly) {
    const Configuration start = config();
    const struct {
        QString Step;
        std::function<void()> Do;
    } steps[] = {
        {QStringLiteral("Edit of Input 1 name"),
         [this] { TypeAndLeave(row(1).txtInputName, QStringLiteral("Door")); }},
        {QStringLiteral("Set All As Type"), [this] { Trigger("mnuInputSetAllType_0"); }},
        {QStringLiteral("Auto Assign Groups To Inputs"),
         [this] { Trigger("mnuInputAutoAssignGroups_1"); }},
        {QStringLiteral("Group Setup"),
         [this] {
             window->OpenGroupSetupOn(QStringLiteral("2"));
             window->GroupSetup().chkMember(5)->click();
             window->GroupSetup().cmdDone()->click();
         }},
        {QStringLiteral("Read"), [this] { window->Device().Read(); }},
        {QStringLiteral("Open Names"), [this] { OpenOtherFile(1); }},
        {QStringLiteral("Open"), [this] { OpenOtherFile(0); }},
        {QStringLiteral("Import Names"),
         [this] {
             test::PutFileBytes(File("n.csv"), "kind,number,name\ngroup,2,Caf\xC3\xA9\n");
             names().SetPrompts([this](bool) { return QString::fromStdString(File("n.csv")); }, {});
             names().Import();
         }},
    };
    for (const auto& step : steps) {
        const Configuration before = config();
        step.Do();
        const Configuration after = config();
        EXPECT_NE(after, before) << step.Step.toStdString();
        EXPECT_EQ(edit().UndoAction()->text(), QStringLiteral("&Undo ") + step.Step);
        edit().UndoAction()->trigger();
        EXPECT_TRUE(config() == before) << "undo " << step.Step.toStdString();
        EXPECT_EQ(edit().RedoAction()->text(), QStringLiteral("&Redo ") + step.Step);
        edit().RedoAction()->trigger();
        EXPECT_TRUE(config() == after) << "redo " << step.Step.toStdString();
    }
    while (edit().UndoAction()->isEnabled()) edit().UndoAction()->trigger();
    EXPECT_TRUE(config() == start);
    EXPECT_EQ(edit().History().RedoCount(), std::size(steps));
}

// Import Names opens no pipe (it would hang the window) and refuses rows the
// configuration has no place for instead of dropping them; nothing changes.
TEST_F(EditCommandsTest, ImportNamesRefusesPipesAndRowsBeyondTheConfiguration) {
    const std::string pipe = File("pipe.csv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    test::PutFileBytes(File("far.csv"), "kind,number,name\ngroup,2,ok\ninput,100,x\n");
    QStringList told;
    for (const std::string& path : {pipe, File("far.csv")}) {
        names().SetPrompts(
            [path](bool) { return QString::fromStdString(path); },
            [&told](QMessageBox::Icon, const QString&, const QString& text) { told << text; });
        const Configuration before = config();
        names().Import();
        EXPECT_TRUE(config() == before) << path;
    }
    ASSERT_EQ(told.size(), 2);
    EXPECT_THAT(told[0].toStdString(), ::testing::HasSubstr("but a named pipe"));
    EXPECT_THAT(told[1].toStdString(),
                ::testing::HasSubstr("line 3: input 100 is beyond the inputs in use (1 to 16)"));
}

// A choice in a list is a finished step at once, and so is a text field
// being typed in: Ctrl+Z takes back the latest edit with the focus still in it.
TEST_F(EditCommandsTest, ChoicesAndEditsInProgressAreStepsBeforeTheFocusLeaves) {
    const Configuration start = config();
    QComboBox* type = row(1).cmbInputType;
    type->setFocus(Qt::TabFocusReason);
    QTest::keyClick(type, type->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_NE(config().Inputs[1].Type, start.Inputs[1].Type);
    EXPECT_TRUE(edit().UndoAction()->isEnabled());
    QTest::keyClick(type, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(config() == start);

    Type(row(2).txtInputName, QStringLiteral("Hall"));
    EXPECT_TRUE(edit().UndoAction()->isEnabled());
    EXPECT_EQ(edit().UndoAction()->text(), QStringLiteral("&Undo Edit of Input 2 name"));
    QTest::keyClick(row(2).txtInputName, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(config() == start);
    EXPECT_EQ(row(2).txtInputName->text(), QString());
    EXPECT_EQ(edit().RedoAction()->text(), QStringLiteral("&Redo Edit of Input 2 name"));
}

}  // namespace
}  // namespace kvtk
