// A whole commissioning job through the windows: open a file, write it to a
// panel on a pseudo-terminal, read the panel back, save it; the saved file
// must hold exactly what was opened (only date, time and description differ).
#include <gmock/gmock.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "files/config_writer.h"
#include "sim/sim_line.h"
#include "tests/comm/pty_exchange.h"
#include "tests/files/test_folder.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/panel_random_config.h"
#include "tests/support/scripted_file_prompts.h"
#include "tests/support/scripted_prompter.h"
#include "ui/device/device_commands.h"
#include "ui/device/frmCompare.h"
#include "ui/device/frmWriteOptions.h"
#include "ui/files/file_commands.h"

namespace kvtk {
namespace {

// A configuration that uses every field the file and the panel carry.
Configuration BusyConfiguration() {
    Configuration c = test::RandomPanelConfig(20261206, "WQ16", "5.00");
    c.Panel.NumInputs = "24";
    c.Panel.NumRelays = "16";
    c.Panel.TimerDuration[1] = "00:15";
    return c;
}

// The file's text without the lines the save stamps anew.
std::string WithoutStamp(const QString& path) {
    return test::WithoutLines(test::FileBytes(QFile::encodeName(path).toStdString()),
                              {"Date=", "Time=", "Desc="});
}

// A WQ16 on a pseudo-terminal, online in the main window; a busy
// configuration opened from "lobby.kvx" and written to the panel.
class CommissioningTest : public MainWindowTest {
protected:
    void OpenAndWriteLobby() {
        opened = dir.filePath(QStringLiteral("lobby.kvx"));
        ASSERT_TRUE(WriteConfigFile(QFile::encodeName(opened).toStdString(), BusyConfiguration(),
                                    {"12-01-26", "09:15:00", "AS DESIGNED"})
                        .Ok());
        ASSERT_EQ(rig.Open(), "");
        rig.settings.SetMaxResponseMs(300);
        device().SetExchange(&rig.exchange);
        device().Host().SetWaitCapMs(20);
        GoOnline(1, "WQ16 Version 5.00");
        auto scripted = test::ScriptedPrompts::Opening(opened);
        prompts = scripted.get();
        window->Files().SetPrompts(std::move(scripted));
        window->Files().Open(0);
        ASSERT_EQ(config().Panel.NumInputs, "24");

        frmWriteOptions& options = device().WriteOptionsDialog();
        QTimer::singleShot(0, &options, [&options] { options.cmdWrite()->click(); });
        ASSERT_EQ(device().Write().Result, WriteResult::Saved);
        EXPECT_THAT(rig.prompter.asked, ::testing::IsEmpty());
    }
    DeviceCommands& device() { return window->Device(); }

    QTemporaryDir dir;
    QString opened;
    SimLine line;
    SimPanel& panel = line.AddPanel(1, "WQ16", "0500");
    test::PtyExchange rig{line};
    test::ScriptedPrompts* prompts = nullptr;
};

TEST_F(CommissioningTest, OpenWriteReadBackAndSaveKeepsTheFile) {
    ASSERT_NO_FATAL_FAILURE(OpenAndWriteLobby());
    EXPECT_EQ(panel.SavedRegister("65"), "18");

    // Forget what the panel holds, so that only the read can bring it back.
    for (int n = 1; n <= 24; ++n) {
        InputConfig& in = config().Inputs[n];
        in.Type = in.Timer = in.Group = in.Flash = in.Polarity = 0;
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        GroupConfig& group = config().Groups[g];
        const std::string name = group.Name;
        group = GroupConfig{};
        group.Name = name;
    }
    config().Panel.TimerDuration[2] = "00:00";
    config().Panel.SpecialOptions = 0;
    ASSERT_TRUE(device().Read().Completed);
    EXPECT_THAT(rig.prompter.asked, ::testing::IsEmpty());

    const QString saved = dir.filePath(QStringLiteral("lobby-check.kvx"));
    prompts->dialogs.push_back({QString(), saved});
    prompts->description = "CHECKED ON SITE";
    ASSERT_EQ(window->Files().Save(), FileCommands::SaveOutcome::Written);
    EXPECT_EQ(WithoutStamp(saved), WithoutStamp(opened));
}

// Device > "Compare With File..." over a pseudo-terminal: the panel holds the
// file except for two registers changed behind the tool's back; the window
// lists exactly those, and "Save list" keeps them as text.
TEST_F(CommissioningTest, CompareWithFileListsExactlyTheDifferences) {
    ASSERT_NO_FATAL_FAILURE(OpenAndWriteLobby());
    panel.SetRegister("64", "0C");    // 12 relays
    panel.SetRegister("41", "0E10");  // timer 1: one hour

    prompts->dialogs.push_back({opened, opened});
    device().mnuDeviceCompare()->trigger();
    frmCompare* compare = device().Commissioning().CompareWindow();
    ASSERT_NE(compare, nullptr);
    const QStringList expected{
        QStringLiteral("Panel Information|Relay count|\"16\"|\"12\""),
        QStringLiteral("Panel Information|Timer 1 duration|\"00:15\"|\"01:00\""),
    };
    QStringList rows;
    QTableWidget& table = *compare->tblDifferences();
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int column = 0; column < 4; ++column) cells << table.item(r, column)->text();
        rows << cells.join(QLatin1Char('|'));
    }
    EXPECT_EQ(rows, expected);

    const QString list = dir.filePath(QStringLiteral("differences.txt"));
    compare->SetFileNameAsker([&list] { return std::optional<QString>(list); });
    compare->cmdSaveList()->click();
    QFile saved(list);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count('\n'), 3);  // the heading and two rows
}

// Before a write of the changes only: the values that differ, in the
// compare window's form (panel value, new value), and the question; No
// sends nothing, Yes sends only the changed register between "LSWEN" and
// the save.
TEST_F(CommissioningTest, AWriteOfTheChangesShowsThemAndAsksFirst) {
    ASSERT_NO_FATAL_FAILURE(OpenAndWriteLobby());
    frmWriteOptions& options = device().WriteOptionsDialog();
    options.chkChangesOnly()->setChecked(true);
    for (const bool yes : {false, true}) {
        panel.SetRegister("64", "0C");  // 12 relays behind the tool's back
        panel.ClearReceived();
        QStringList rows;
        window->SetQuestionAsker([&](const QString&, const QString&) {
            const QTableWidget& table = *device().Commissioning().CompareWindow()->tblDifferences();
            for (int column = 0; column < 4; ++column)
                rows << table.horizontalHeaderItem(column)->text();
            for (int r = 0; r < table.rowCount(); ++r)
                for (int column = 0; column < 4; ++column) rows << table.item(r, column)->text();
            return yes;
        });
        QTimer::singleShot(0, &options, [&options] { options.cmdWrite()->click(); });
        device().Write();
        EXPECT_EQ(rows.join(QLatin1Char('|')),
                  QStringLiteral("Section|Item|Panel value|New value|Panel Information|Relay "
                                 "count|\"12\"|\"16\""));
        std::vector<std::string> writes;
        for (const std::string& command : panel.Received())
            if (command.rfind("LR", 0) != 0) writes.push_back(command);
        const std::vector<std::string> expected =
            yes ? std::vector<std::string>{"LSWEN", "LW6410", "LSAVE_EN", "LSYS_SAVE"}
                : std::vector<std::string>{};
        EXPECT_EQ(writes, expected) << yes;
    }
}

}  // namespace
}  // namespace kvtk
