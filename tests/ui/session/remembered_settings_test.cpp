// Remembered settings through whole starts: what one run chose is there at
// the next, and a damaged store gives the defaults.
#include "ui/session/remembered_settings.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include "comm/panel_line.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "ui/connect/frmConnect.h"
#include "ui/device/device_commands.h"
#include "ui/device/frmWriteOptions.h"
#include "ui/files/file_commands.h"
#include "ui/session/gui_session.h"

namespace kvtk {
namespace {

class RememberedSettingsTest : public ::testing::Test {
protected:
    // One start of the tool with the store in the temporary folder.
    void Start() {
        session.reset();
        main = std::make_unique<frmMain>();
        remembered = std::make_unique<RememberedSettings>(std::make_unique<QSettings>(
            dir.filePath(QStringLiteral("kvtk.conf")), QSettings::IniFormat));
        session = std::make_unique<GuiSession>(*main, PortSlots(QStringList{}), remembered.get());
        session->Line().BindSlotFactory(
            1, [this] { return std::make_unique<SimulatedLink>(*line); }, QStringLiteral("sim"));
        session->Start();
    }
    frmConnect& dialog() { return session->Connect(); }
    ExchangeSettings& exchange() { return session->Line().Settings(); }
    QLineEdit* password() { return dialog().findChild<QLineEdit*>(QStringLiteral("txtPassword")); }

    QTemporaryDir dir;
    std::unique_ptr<SimLine> line = MakeDemoLine();
    std::unique_ptr<RememberedSettings> remembered;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<GuiSession> session;
};

TEST_F(RememberedSettingsTest, ChoicesAreRestoredOnTheNextStart) {
    Start();
    main->SetQuestionAsker([](const QString&, const QString&) { return false; });
    exchange().SetMaxResponseMs(800);
    exchange().SetAttempts(3);
    main->Files().SetLastFolder(dir.path());
    main->Files().Printer().Name = QStringLiteral("Office");
    const QStringList recent{dir.filePath(QStringLiteral("b.kvx")),
                             dir.filePath(QStringLiteral("a.kvx"))};
    main->Files().SetRecentFiles(recent);
    main->Device().WriteOptionsDialog().SetSafety({false, true, true});
    dialog().txtHost()->setText(QStringLiteral("relay.example"));
    dialog().txtUser()->setText(QStringLiteral("tech"));
    password()->setText(QStringLiteral("secret"));
    dialog().CommPortOption(1)->click();
    dialog().chkQuick()->setChecked(true);
    dialog().txtAddress()->setText(QStringLiteral("3"));
    dialog().cmdRead()->click();
    dialog().cmdOK()->click();  // remembers
    main->resize(main->size() + QSize(60, 40));
    const QSize size = main->size();
    session->Remember();  // as at the end of the run

    Start();
    EXPECT_TRUE(dialog().CommPortOption(1)->isChecked());
    EXPECT_TRUE(dialog().chkQuick()->isChecked());
    EXPECT_EQ(dialog().txtAddress()->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog().txtHost()->text(), QStringLiteral("relay.example"));
    EXPECT_EQ(dialog().txtUser()->text(), QStringLiteral("tech"));
    EXPECT_TRUE(password()->text().isEmpty());
    EXPECT_EQ(exchange().MaxResponseMs(), 800);
    EXPECT_EQ(exchange().Attempts(), 3);
    EXPECT_EQ(main->Files().LastFolder(), dir.path());
    EXPECT_EQ(main->Files().Printer().Name, QStringLiteral("Office"));
    EXPECT_EQ(main->Files().RecentFileList(), recent);
    EXPECT_EQ(main->size(), size);
    const WriteSafety safety = main->Device().WriteOptionsDialog().Safety();
    EXPECT_FALSE(safety.Backup);
    EXPECT_TRUE(safety.Verify);
    EXPECT_TRUE(safety.ChangesOnly);
    QFile store(dir.filePath(QStringLiteral("kvtk.conf")));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_FALSE(store.readAll().contains("secret"));
}

TEST_F(RememberedSettingsTest, DamagedStoreGivesTheDefaults) {
    const QByteArray stores[] = {
        QByteArray("\x00\xff\xfe[\x01=\n\x7f", 8) + QByteArray(500, '\x9c'),
        "[connection]\nchoice=9\naddress=-4\n[exchange]\nmaxResponseMs=fast\nattempts=1000\n"
        "[write]\nbackup=0\n[scan]\nquick=1\n",
    };
    for (const QByteArray& content : stores) {
        QFile store(dir.filePath(QStringLiteral("kvtk.conf")));
        ASSERT_TRUE(store.open(QIODevice::WriteOnly | QIODevice::Truncate));
        store.write(content);
        store.close();
        Start();
        EXPECT_TRUE(dialog().CommPortOption(frmConnect::kOffline)->isChecked());
        EXPECT_EQ(dialog().txtAddress()->text(), QStringLiteral("1"));
        EXPECT_EQ(exchange().MaxResponseMs(), ExchangeSettings::kDefaultMaxResponseMs);
        EXPECT_EQ(exchange().Attempts(), ExchangeSettings::kDefaultAttempts);
        EXPECT_TRUE(main->Device().WriteOptionsDialog().Safety().Backup);
        EXPECT_FALSE(main->Device().WriteOptionsDialog().Safety().ChangesOnly);
        EXPECT_FALSE(dialog().chkQuick()->isChecked());
    }
}

}  // namespace
}  // namespace kvtk
