// The Device menu, the write options, the reset question and the address
// change, on a scripted exchange and on the simulator; and one whole
// read, edit and write through a pseudo-terminal.
#include "ui/device/device_commands.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "files/config_reader.h"
#include "files/config_writer.h"
#include "sim/sim_line.h"
#include "sim/simulated_link.h"
#include "tests/comm/pty_exchange.h"
#include "tests/files/test_folder.h"
#include "tests/support/fake_panel.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/product_config.h"
#include "tests/support/scripted_file_prompts.h"
#include "tests/support/scripted_prompter.h"
#include "ui/device/frmAddressChange.h"
#include "ui/device/frmWriteOptions.h"
#include "ui/files/file_commands.h"
#include "ui/widgets/spin_buttons.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DeviceCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        device().SetExchange(&recorder);
        device().Host().SetWaitCapMs(20);
    }

    DeviceCommands& device() { return window->Device(); }

    test::ScriptedPanel recorder;  // accepts every command
};

TEST_F(DeviceCommandsTest, DeviceMenuFollowsTheConnection) {
    // Select, Read, Write, Reset, Compare With File and Site (a folder
    // works offline too): + enabled, - disabled.
    const auto enabled = [this] {
        QString states;
        for (const QAction* action : window->DeviceMenu()->actions())
            states += action->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        return states;
    };
    EXPECT_EQ(enabled(), QStringLiteral("+----+"));
    GoOnline(1, "WQ16 Version 5.00");
    EXPECT_EQ(enabled(), QStringLiteral("++++++"));
    window->SetConnection(PanelConnection::Offline());
    EXPECT_EQ(enabled(), QStringLiteral("+----+"));

    QSignalSpy connect(window.get(), &frmMain::connectDialogRequested);
    device().mnuDeviceSelect()->trigger();
    QTest::mouseDClick(settings().lblVersion(), Qt::LeftButton);
    EXPECT_EQ(connect.count(), 2);
    // Offline, the panel commands do nothing even when called directly.
    device().Read();
    device().Reset();
    EXPECT_THAT(recorder.Commands(), IsEmpty());

    QTest::mouseDClick(settings().txtAddress(), Qt::LeftButton);
    ASSERT_NE(device().AddressChangeWindow(), nullptr);
    EXPECT_TRUE(device().AddressChangeWindow()->isModal());
    device().AddressChangeWindow()->cmdCancel()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(device().AddressChangeWindow(), nullptr);
}

TEST_F(DeviceCommandsTest, WriteOptionsKeepTheirStateAndCancelClearsAll) {
    frmWriteOptions& dialog = device().WriteOptionsDialog();
    const auto state = [&dialog] {
        const WriteOptions o = dialog.Options();
        return QStringLiteral("%1%2%3 %4")
            .arg(int(o.Header))
            .arg(int(o.Inputs))
            .arg(int(o.Groups))
            .arg(o.GroupCount);
    };
    dialog.Prepare(16);
    dialog.show();
    EXPECT_EQ(state(), QStringLiteral("111 16"));
    dialog.spnGroupCount()->Step(-1);
    dialog.chkInputs()->click();
    dialog.cmdWrite()->click();
    EXPECT_EQ(state(), QStringLiteral("101 15"));

    dialog.Prepare(16);  // the count starts again at MaxGroups, the boxes stay
    dialog.show();
    EXPECT_EQ(state(), QStringLiteral("101 16"));
    dialog.chkGroups()->click();
    EXPECT_FALSE(dialog.txtGroupCount()->isEnabled());
    dialog.cmdCancel()->click();
    EXPECT_EQ(state(), QStringLiteral("000 16"));

    // The next Write starts with nothing chosen: Write sends nothing.
    GoOnline(1, "WQ16 Version 5.00");
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdWrite()->click(); });
    EXPECT_EQ(device().Write().Result, WriteResult::NothingChosen);
    EXPECT_THAT(recorder.Commands(), IsEmpty());
}

TEST_F(DeviceCommandsTest, WriteFromTheMenuTakesTheFieldBeingEdited) {
    GoOnline(1, "WQ16 Version 5.00");
    Type(settings().txtNumInputs(), QStringLiteral("130"));  // not left yet
    frmWriteOptions& dialog = device().WriteOptionsDialog();
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdWrite()->click(); });
    device().mnuDeviceWrite()->trigger();
    EXPECT_THAT(recorder.Commands(), ::testing::Contains("LW6578"));  // 120 inputs
}

// Data loaded from a file for another product reach the panel only after a
// Yes; the question's default is No. A read from the panel ends the question.
TEST_F(DeviceCommandsTest, DataForAnotherProductAreWrittenOnlyAfterAYes) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("wq16.kvx"));
    ASSERT_TRUE(WriteConfigFile(file.toStdString(), test::ConfigFor("WQ16", "5.00"), {}).Ok());
    auto prompts = test::ScriptedPrompts::Opening(file);
    prompts->options.push_back(OpenOption::GoOfflineWithFileDevice);
    test::ScriptedPrompts& asked = *prompts;
    window->Files().SetPrompts(std::move(prompts));
    window->Files().Open(0);
    GoOnline(2, "KV-4800 Version 4.00");

    asked.answers = {QMessageBox::No};
    EXPECT_EQ(device().Write().Result, WriteResult::NothingChosen);
    ASSERT_EQ(asked.messages.size(), 2u);  // "save first?", then the product question
    EXPECT_EQ(asked.messages[1].Title, QStringLiteral("Different product"));
    EXPECT_TRUE(asked.messages[1].Text.startsWith(QStringLiteral(
        "The data in memory were loaded for an WQ16 Version 5.00; the device at address 2 is an "
        "KV-4800 Version 4.00.")))
        << asked.messages[1].Text.toStdString();
    EXPECT_EQ(asked.messages[1].Default, QMessageBox::No);
    EXPECT_THAT(recorder.Commands(), IsEmpty());

    asked.answers = {QMessageBox::Yes};
    frmWriteOptions& dialog = device().WriteOptionsDialog();
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdWrite()->click(); });
    EXPECT_EQ(device().Write().Result, WriteResult::Saved);

    recorder.DefaultReply = "A0000000000000000";
    device().Read();
    const size_t questions = asked.messages.size();
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdWrite()->click(); });
    device().Write();
    EXPECT_EQ(asked.messages.size(), questions);
}

TEST_F(DeviceCommandsTest, ResetAsksFirstAndWaitsInTheResettingWindow) {
    GoOnline(3, "KV-4800 Version 4.00");
    QString shownWait;
    QTimer::singleShot(0, window.get(), [this, &shownWait] {
        if (QWidget* box = QApplication::activeModalWidget())
            shownWait = box->windowTitle() + QLatin1Char('|') + box->findChild<QLabel*>()->text();
        window->close();  // refused while the reset runs: no exit question
    });
    device().Reset();
    EXPECT_THAT(recorder.Commands(), ElementsAre("LSRESET83", "KV"));
    EXPECT_TRUE(shownWait.startsWith(QStringLiteral("Resetting...|")));
    EXPECT_EQ(settings().lblAddress()->text(), QStringLiteral("3"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(questions.size(), 1);  // the reset question only
    EXPECT_FALSE(device().Busy());
    EXPECT_TRUE(window->menuBar()->isEnabled());
}

// The address change on a simulated line, with a real command exchange.
class AddressChangeTest : public DeviceCommandsTest {
protected:
    void SetUp() override {
        DeviceCommandsTest::SetUp();
        exchangeSettings.SetMaxResponseMs(60);
        exchange.SetOffline(false);
        exchange.SetSerialLink(&link);
    }
    SimLine line;
    SimulatedLink link{line};
    ExchangeSettings exchangeSettings;
    test::ScriptedPrompter prompter;
    CommandExchange exchange{exchangeSettings, prompter};
};

TEST_F(AddressChangeTest, FieldTakesOnlyAddressesFrom1To255) {
    device().ChangeAddress();
    frmAddressChange* dialog = device().AddressChangeWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const auto Enter = [dialog](const QString& keys) {
        dialog->txtNewAddress()->setFocus();
        dialog->txtNewAddress()->selectAll();
        QTest::keyClicks(dialog->txtNewAddress(), keys);
    };
    struct Case {
        QString keys;
        QString text;
        int beeps;
    };
    for (const Case& c : {Case{QStringLiteral("0"), QStringLiteral("1"), 1},
                          Case{QStringLiteral("256"), QStringLiteral("25"), 1},
                          Case{QStringLiteral("2x5"), QStringLiteral("25"), 1},
                          Case{QStringLiteral("255"), QStringLiteral("255"), 0},
                          Case{QStringLiteral("07"), QStringLiteral("7"), 1}}) {
        beeps = 0;
        Enter(c.keys);
        EXPECT_EQ(dialog->txtNewAddress()->text(), c.text) << c.keys.toStdString();
        EXPECT_EQ(beeps, c.beeps) << c.keys.toStdString();
    }
    Enter(QString());
    QTest::keyClick(dialog->txtNewAddress(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog->cmdChange()->isEnabled());
    beeps = 0;
    dialog->cmdCancel()->setFocus();  // leaving an empty field gives 1
    EXPECT_EQ(dialog->txtNewAddress()->text(), QStringLiteral("1"));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(dialog->cmdChange()->isEnabled());
}

TEST_F(AddressChangeTest, TheDeviceCommandBacksUpBeforeWriting) {
    SimPanel& panel = line.AddPanel(1, "WQ16", "0500");
    GoOnline(1, "WQ16 Version 5.00");
    QTemporaryDir backups;
    device().Commissioning().SetBackupFolder(backups.path());
    device().SetExchange(&exchange);
    device().ChangeAddress();
    device().AddressChangeWindow()->txtNewAddress()->setText(QStringLiteral("7"));
    device().AddressChangeWindow()->cmdChange()->click();
    EXPECT_EQ(panel.Address(), 7);
    EXPECT_EQ(panel.Received().front(), "LR65");
    EXPECT_EQ(
        QDir(backups.path()).entryList(QDir::Files),
        QStringList{QFileInfo(QString::fromStdString(device().Commissioning().LastBackup().Path))
                        .fileName()});
}

// The backup read says what it does with its progress, and a try that
// ends with the window open gives the address field its focus back.
TEST_F(AddressChangeTest, BackupShowsItsProgressAndTheFieldKeepsTheFocus) {
    SimPanel& panel = line.AddPanel(1, "WQ16", "0500");
    GoOnline(1, "WQ16 Version 5.00");
    QTemporaryDir backups;
    device().Commissioning().SetBackupFolder(backups.filePath(QStringLiteral("not-a-folder")));
    test::PutFileBytes(backups.filePath(QStringLiteral("not-a-folder")).toStdString(), "x");
    device().SetExchange(&exchange);
    device().ChangeAddress();
    frmAddressChange* dialog = device().AddressChangeWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QString shownAtQuestion;
    size_t readsAtQuestion = 0;
    window->SetQuestionAsker([&](const QString&, const QString&) {
        shownAtQuestion = dialog->lblInfo()->text();
        readsAtQuestion = panel.Received().size();
        return false;  // the save failed: no change without a backup
    });
    dialog->txtNewAddress()->setFocus(Qt::TabFocusReason);
    dialog->txtNewAddress()->selectAll();
    QTest::keyClicks(dialog->txtNewAddress(), QStringLiteral("7"));
    QTest::keyClick(dialog->txtNewAddress(), Qt::Key_Return);
    const QString all = QString::number(readsAtQuestion);
    EXPECT_EQ(shownAtQuestion,
              QStringLiteral("Backing up the device... register %1 of %1").arg(all));
    EXPECT_EQ(panel.Address(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->txtNewAddress()->hasFocus());
}

TEST_F(DeviceCommandsTest, CancelAfterTheWriteShowsTheNewAddress) {
    test::ScriptedPanel panel;  // free at 7 until the write, then there
    panel.AnswerAt(7, "LR73", "T", 1).AnswerAt(7, "LR73", "A07");
    panel.AnswerAt(7, "KV", "AWQ16     0500").Answer("LSAVE_EN", "");  // "" = cancelled
    GoOnline(1, "WQ16 Version 5.00");
    frmAddressChange dialog(*window, panel, device().Host());
    dialog.show();
    dialog.txtNewAddress()->setText(QStringLiteral("7"));
    dialog.cmdChange()->click();
    EXPECT_EQ(panel.Commands().back(), "LSAVE_EN");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(config().Panel.Address, "7");
    EXPECT_EQ(settings().txtAddress()->text(), QStringLiteral("7"));
    EXPECT_EQ(settings().lblAddress()->text(), QStringLiteral("7"));
}

// The whole way through the windows: read a panel over a pseudo-terminal,
// change a timer in the editor, write, and find the change saved in the
// panel.
TEST_F(DeviceCommandsTest, ReadEditAndWriteThroughAPseudoTerminal) {
    SimLine line;
    SimPanel& panel = line.AddPanel(1, "WQ16", "0500");
    panel.SetRegister("65", "0C");    // 12 inputs
    panel.SetRegister("41", "1518");  // timer 1: 5400 s
    test::PtyExchange rig(line);
    ASSERT_EQ(rig.Open(), "");
    rig.settings.SetMaxResponseMs(300);
    std::vector<bool> portWindow;
    device().Host().SetPortWindowHooks(
        {[&portWindow](bool shown) { portWindow.push_back(shown); }, {}, {}, {}});
    device().SetExchange(&rig.exchange);
    GoOnline(1, "WQ16 Version 5.00");

    const ReadOutcome read = device().Read();
    ASSERT_TRUE(read.Completed);
    EXPECT_THAT(rig.prompter.asked, IsEmpty());
    EXPECT_THAT(portWindow, ElementsAre(true, false));
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(settings().txtNumInputs()->text(), QStringLiteral("12"));
    EXPECT_EQ(settings().txtTimerDuration(1)->text(), QStringLiteral("01:30"));

    TypeAndLeave(settings().txtTimerDuration(1), QStringLiteral("0205"));
    ASSERT_EQ(config().Panel.TimerDuration[1], "02:05");

    // A backup read that fails stops the write when the user says No.
    QTemporaryDir backups;
    device().Commissioning().SetBackupFolder(backups.path());
    frmWriteOptions& options = device().WriteOptionsDialog();
    options.SetSafety({true, true});
    line.Options().dropFraction = 1;
    rig.prompter.answers = {MessageAnswer::Abort};
    answer = false;
    panel.ClearReceived();
    QTimer::singleShot(0, &options, [&options] { options.cmdWrite()->click(); });
    EXPECT_EQ(device().Write().Result, WriteResult::NothingChosen);
    EXPECT_THAT(panel.Received(), ElementsAre("LR65", "LR65"));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("Backup failed|")));

    line.Options().dropFraction = 0;
    rig.prompter.asked.clear();
    answer = true;  // the list of what will change, then the write
    questions.clear();
    QStringList messages;
    device().Host().SetMessageSink([&messages](const QString& text) { messages << text; });
    panel.ClearReceived();
    QTimer::singleShot(0, &options, [&options] { options.cmdWrite()->click(); });
    const WriteOutcome written = device().Write();
    EXPECT_EQ(written.Result, WriteResult::Saved);
    EXPECT_EQ(written.InputsWritten, 12);
    EXPECT_THAT(rig.prompter.asked, IsEmpty());
    EXPECT_EQ(panel.Received().front(), "LR65");  // the backup read comes first
    EXPECT_EQ(panel.Received().back(), "LR23");   // the check read comes last
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("Write to the device?|1 difference ")))
        << questions[0].toStdString();
    EXPECT_EQ(messages, QStringList{QString::fromLatin1(kVerifiedText)});
    EXPECT_EQ(panel.SavedRegister("41"), "1D4C");  // 7500 s
    // The backup holds the panel as it was before the write.
    const QString backup = QString::fromStdString(device().Commissioning().LastBackup().Path);
    Configuration before = config();
    ASSERT_TRUE(ReadConfigFile(backup.toStdString(), before, ReadMode::Full).Ok());
    EXPECT_EQ(before.Panel.TimerDuration[1], "01:30");
}

// What a read or write left undone is said in a message box: skipped
// registers are not the panel's values, and a write whose "Write Disable" went
// unanswered may have left the panel write-enabled.
TEST_F(DeviceCommandsTest, ReadAndWriteSayWhatTheyLeftUndone) {
    GoOnline(1, "WQ16 Version 5.00");
    test::ScriptedPanel panel;
    int ignored = 0;  // the first two registers read are skipped
    panel.Responder = [&ignored](int, const std::string& command) -> std::string {
        if (command == "LSWEN" || command == "LSU") return "";  // cancelled, then lost
        if (command.starts_with("LR") && ignored < 2) return ++ignored, "I";
        return command.starts_with("LR") ? "A0000000000000000" : "AY";
    };
    device().SetExchange(&panel);
    QStringList shown;
    device().Host().SetMessageSink([&shown](const QString& text) { shown << text; });

    EXPECT_EQ(device().Read().Skipped.size(), 2u);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("The read skipped 2 registers")))
        << shown[0].toStdString();

    frmWriteOptions& dialog = device().WriteOptionsDialog();
    dialog.SetSafety({false, false});
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdWrite()->click(); });
    EXPECT_FALSE(device().Write().WritingDisabled);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].endsWith(QStringLiteral("it may still be write-enabled.")))
        << shown[1].toStdString();
}

// Inputs read with an extended type rule out one "Set All As Type" entry
// on older firmware: Linked On below 2.05, State Change below 4.00.
TEST(SetAllTypeRuledOut, FollowsTheFirmware) {
    for (const auto& [extended, version, type] : std::vector<std::tuple<bool, const char*, int>>{
             {true, "2.00", kLinkedOn},
             {true, "2.05", kStateChange},
             {true, "3.99", kStateChange},
             {true, "4.00", 0},
             {false, "2.00", 0},
         }) {
        ReadOutcome outcome;
        outcome.ExtendedTypeRead = extended;
        EXPECT_EQ(SetAllTypeRuledOut(outcome, {"KV-4900", version}), type) << version;
    }
}

}  // namespace
}  // namespace kvtk
