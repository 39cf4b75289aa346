// Remembered settings through a whole start: what one run chose is there at
// the next, a damaged store gives the defaults, and a file named at start
// opens the main window or, when it cannot be opened, leaves the connect
// dialog.
#include "ui/remembered_settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "files/config_writer.h"
#include "model/products.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "ui/file_commands.h"
#include "ui/file_prompts.h"
#include "ui/frmComm.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/gui_session.h"

namespace kvtk {
namespace {

// Message boxes of the file commands, recorded and answered with OK.
class RecordedPrompts : public FilePrompts {
public:
    explicit RecordedPrompts(QStringList& titles) : titles_(titles) {}
    std::optional<QString> AskConfigFileName(const ConfigFileDialogRequest&,
                                             FileInfoState&) override {
        return std::nullopt;
    }
    OpenOption AskOpenOption(const OpenOptionTexts&) override { return OpenOption::Cancel; }
    QMessageBox::StandardButton Ask(const MessagePrompt& prompt) override {
        titles_ << prompt.Title;
        return QMessageBox::Ok;
    }
    std::optional<QString> AskPdfFileName(const QString&) override { return std::nullopt; }

private:
    QStringList& titles_;
};

class RememberedSettingsTest : public ::testing::Test {
protected:
    // One run of the tool, destroyed in reverse order.
    struct Run {
        std::unique_ptr<RememberedSettings> remembered;
        std::unique_ptr<frmMain> main;
        std::unique_ptr<GuiSession> session;
        frmConnect& dialog() { return session->Connect(); }
        ExchangeSettings& exchange() { return session->Comm().Settings(); }
        ~Run() {
            dialog().hide();
            main->hide();
        }
    };

    QString StorePath() const { return dir.filePath(QStringLiteral("kvtk.conf")); }

    std::unique_ptr<Run> Start(const QString& file = QString()) {
        auto run = std::make_unique<Run>();
        run->remembered = std::make_unique<RememberedSettings>(
            std::make_unique<QSettings>(StorePath(), QSettings::IniFormat));
        run->main = std::make_unique<frmMain>();
        run->main->SetQuestionAsker([](const QString&, const QString&) { return false; });
        run->main->Files().SetPrompts(std::make_unique<RecordedPrompts>(messages));
        run->session = std::make_unique<GuiSession>(*run->main, PortSlots(QStringList{}),
                                                    run->remembered.get());
        run->session->Comm().BindSlotFactory(
            1, [this] { return std::make_unique<SimulatedLink>(*line); },
            QStringLiteral("built-in simulated line"));
        run->session->Start(file);
        return run;
    }

    QTemporaryDir dir;
    std::unique_ptr<SimLine> line = MakeDemoLine();
    QStringList messages;
};

TEST_F(RememberedSettingsTest, ChoicesAreRestoredOnTheNextStart) {
    QSize chosenSize;
    {
        auto first = Start();
        frmConnect& dialog = first->dialog();
        first->exchange().SetMaxResponseMs(800);
        first->exchange().SetAttempts(3);
        first->main->Files().SetLastFolder(dir.path());
        dialog.txtHost()->setText(QStringLiteral("relay.example"));
        dialog.txtUser()->setText(QStringLiteral("tech"));
        dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))
            ->setText(QStringLiteral("secret"));
        dialog.CommPortOption(1)->click();
        dialog.txtAddress()->setText(QStringLiteral("3"));
        dialog.cmdRead()->click();
        ASSERT_TRUE(dialog.cmdOK()->isEnabled());
        dialog.cmdOK()->click();  // remembers
        first->main->resize(first->main->size() + QSize(60, 40));
        chosenSize = first->main->size();
        first->session->Remember();  // as at the end of the run
    }
    QFile store(StorePath());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_FALSE(store.readAll().contains("secret"));

    auto second = Start();
    frmConnect& dialog = second->dialog();
    EXPECT_TRUE(dialog.CommPortOption(1)->isChecked());
    EXPECT_EQ(dialog.txtAddress()->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.txtHost()->text(), QStringLiteral("relay.example"));
    EXPECT_EQ(dialog.txtUser()->text(), QStringLiteral("tech"));
    EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text().isEmpty());
    EXPECT_EQ(second->exchange().MaxResponseMs(), 800);
    EXPECT_EQ(second->exchange().Attempts(), 3);
    EXPECT_EQ(second->main->Files().LastFolder(), dir.path());
    EXPECT_EQ(second->main->size(), chosenSize);
}

TEST_F(RememberedSettingsTest, DamagedStoreGivesTheDefaults) {
    const QByteArray stores[] = {
        QByteArray("\x00\xff\xfe[\x01=\n\x7f", 8) + QByteArray(500, '\x9c'),
        "[connection]\nchoice=9\naddress=-4\n[exchange]\nmaxResponseMs=fast\nattempts=1000\n"
        "[window]\nmain=@ByteArray(junk)\n",
    };
    for (const QByteArray& content : stores) {
        QFile store(StorePath());
        ASSERT_TRUE(store.open(QIODevice::WriteOnly | QIODevice::Truncate));
        store.write(content);
        store.close();
        auto run = Start();
        EXPECT_TRUE(run->dialog().CommPortOption(frmConnect::kOffline)->isChecked());
        EXPECT_EQ(run->dialog().txtAddress()->text(), QStringLiteral("1"));
        EXPECT_EQ(run->exchange().MaxResponseMs(), ExchangeSettings::kDefaultMaxResponseMs);
        EXPECT_EQ(run->exchange().Attempts(), ExchangeSettings::kDefaultAttempts);
    }
}

TEST_F(RememberedSettingsTest, FileNamedAtStartOpensTheMainWindowElseTheConnectDialog) {
    Configuration sample;
    ApplyProductCapabilities(sample, "KV-4800", "4.00");
    sample.Identity = {"KV-4800", "4.00"};
    sample.Panel.Address = "5";
    const QString good = dir.filePath(QStringLiteral("lobby.kvx"));
    ASSERT_TRUE(WriteConfigFile(QFile::encodeName(good).toStdString(), sample, {}).Ok());

    auto opened = Start(good);
    EXPECT_TRUE(opened->main->isVisible());
    EXPECT_FALSE(opened->dialog().isVisible());
    EXPECT_TRUE(opened->dialog().CommPortOption(frmConnect::kOffline)->isChecked());
    EXPECT_TRUE(messages.isEmpty());
    opened.reset();

    auto refused = Start(dir.filePath(QStringLiteral("missing.kvx")));
    EXPECT_FALSE(refused->main->isVisible());
    EXPECT_TRUE(refused->dialog().isVisible());
    EXPECT_EQ(messages, QStringList{QStringLiteral("File Error")});
}

}  // namespace
}  // namespace kvtk
