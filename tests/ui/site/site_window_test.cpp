// The Site window on the demonstration line with the demo's site folder:
// Compare All finds the one panel that differs, Write Selected asks once
// with the count of values, writes it (backup first) and checks it.

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/panel_line.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "tests/support/scripted_prompter.h"
#include "ui/connect/frmConnect.h"
#include "ui/device/commissioning_steps.h"
#include "ui/device/device_commands.h"
#include "ui/device/frmCompare.h"
#include "ui/main/frmMain.h"
#include "ui/session/gui_session.h"
#include "ui/session/remembered_settings.h"
#include "ui/site/frmSite.h"
#include "ui/site/site_table.h"

namespace kvtk {
namespace {

TEST(SiteWindow, CompareAllThenWriteSelectedBringsTheDifferingPanelToItsFile) {
    const std::unique_ptr<SimLine> line = MakeDemoLine();
    SimulatedLink link(*line);
    ExchangeSettings settings;
    settings.SetMaxResponseMs(60);
    test::ScriptedPrompter prompter;
    CommandExchange exchange(settings, prompter);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);
    QTemporaryDir backups;
    frmSite site(exchange);
    site.Host().SetWaitCapMs(1);
    site.SetBackupFolder(backups.path());
    site.SetVerifyAfterWrite(true);
    site.SetQuickScan(true);
    QStringList questions;
    site.SetQuestionAsker([&questions](const QString&, const QString& text) {
        questions << text;
        return true;
    });
    site.OpenFolder(QStringLiteral(KVTK_DEMO_SITE));

    site.CompareAll();

    QTableWidget& table = *site.tblSite();
    std::vector<std::string> states;
    for (int r = 0; r < table.rowCount(); ++r) {
        states.push_back((table.item(r, kColAddress)->text() + QLatin1Char(' ') +
                          table.item(r, kColState)->text())
                             .toStdString());
        EXPECT_FALSE(table.item(r, kColState)->icon().isNull());
    }
    EXPECT_EQ(states,
              (std::vector<std::string>{"1 Same as its file", "2 Differs from its file (2 values)",
                                        "3 Same as its file", "5 Same as its file",
                                        "7 Same as its file", "17 Same as its file"}));

    table.selectRow(1);
    site.WriteSelected();

    ASSERT_EQ(questions.size(), 1);
    EXPECT_THAT(questions[0].toStdString(),
                ::testing::HasSubstr("Address 2 from lobby.kvx: 2 values will change"));
    EXPECT_EQ(site.Rows()[1].State, SiteState::Same) << site.lblStatus()->text().toStdString();
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files).size(), 1);
    EXPECT_THAT(table.item(1, kColBackup)->text().toStdString(), ::testing::HasSubstr("addr002"));
}

// From the connect dialog's "Site..." to a double click on the differing
// row: the main window is online at its address with the file's values and
// the compare window lists what the panel holds otherwise; the folder is
// remembered.
TEST(SiteWindow, ADoubleClickOpensTheRowsPanelInTheMainWindow) {
    const std::unique_ptr<SimLine> line = MakeDemoLine();
    QTemporaryDir dir;
    RememberedSettings remembered(std::make_unique<QSettings>(
        dir.filePath(QStringLiteral("kvtk.conf")), QSettings::IniFormat));
    frmMain main;
    main.SetQuestionAsker([](const QString&, const QString&) { return false; });
    GuiSession session(main, PortSlots(QStringList{}), &remembered);
    session.Line().BindSlotFactory(
        1, [&line] { return std::make_unique<SimulatedLink>(*line); }, QStringLiteral("sim"));
    session.Line().Settings().SetMaxResponseMs(60);
    session.Start();
    session.Connect().CommPortOption(1)->click();
    session.Connect().chkQuick()->setChecked(true);
    session.Connect().cmdSite()->click();
    frmSite& site = session.Site();
    ASSERT_TRUE(site.isVisible());
    site.OpenFolder(QStringLiteral(KVTK_DEMO_SITE));
    site.Scan();

    emit site.tblSite()->cellDoubleClicked(1, kColFile);

    EXPECT_TRUE(main.Config().Status.IsOnline());
    EXPECT_EQ(main.Address(), 2);
    EXPECT_EQ(main.Config().Panel.TimerDuration[2], "02:30");
    frmCompare* compare = main.Device().Commissioning().CompareWindow();
    ASSERT_NE(compare, nullptr);
    EXPECT_THAT(
        compare->lblSummary()->text().toStdString(),
        ::testing::HasSubstr("2 differences between lobby.kvx and the device at address 2"));
    session.Remember();
    EXPECT_EQ(remembered.Values().SiteFolder, QStringLiteral(KVTK_DEMO_SITE));
}

}  // namespace
}  // namespace kvtk
