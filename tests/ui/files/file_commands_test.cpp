// The File menu's commands against scripted dialogs: file names, the
// save-first and overwrite questions, the Open Option paths, the caption,
// and the print dialog with its PDF fallback.
#include "ui/files/file_commands.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "files/config_writer.h"
#include "files/open_save_rules.h"
#include "report/configuration_report.h"
#include "tests/files/test_folder.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/product_config.h"
#include "tests/support/scripted_file_prompts.h"
#include "ui/files/frmPrint.h"

namespace kvtk {
namespace {

using ::testing::HasSubstr;

using test::ScriptedPrompts;

class FileCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        files().SetPrompts(std::move(scripted));
        window->SetAddress(3);
    }

    FileCommands& files() { return window->Files(); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    // A file written by the program for a device.
    QString WriteSample(const char* name, const std::string& model, const std::string& version,
                        int address, const std::string& description = "") {
        Configuration sample = test::ConfigFor(model, version);
        sample.Panel.Address = std::to_string(address);
        sample.Panel.DeviceName = "Sample";
        sample.AddressTable[static_cast<size_t>(address)].Name = "Sample";
        sample.Inputs[1].Name = "Front Door";
        sample.Inputs[1].Timer = 2;
        sample.Groups[2].Name = "Lobby";
        const QString path = Path(QString::fromLatin1(name));
        EXPECT_TRUE(WriteConfigFile(QFile::encodeName(path).toStdString(), sample,
                                    {"12-03-26", "14:05:09", description})
                        .Ok());
        return path;
    }

    // Open with "No" to the save-first question and the file chosen.
    void OpenFile(const QString& path, int index = 0) {
        prompts->answers.push_back(QMessageBox::No);
        prompts->dialogs.push_back({path, path});
        files().Open(index);
    }

    QTemporaryDir dir;
    ScriptedPrompts* prompts = nullptr;
};

// Save from the menu takes the value still being typed in a field, and the
// file name rule (the rule itself is tested with the files).
TEST_F(FileCommandsTest, SaveFromTheMenuTakesTheFieldBeingEdited) {
    Type(settings().txtNumInputs(), QStringLiteral("130"));  // not left yet
    prompts->dialogs.push_back({QString(), Path(QStringLiteral("panel.old.txt"))});
    files().SaveAction()->trigger();
    EXPECT_THAT(test::FileBytes(Path(QStringLiteral("panel.kvx")).toStdString()),
                HasSubstr("\r\nInputs=120\r\n"));
    EXPECT_EQ(prompts->Titles(), QStringList{QStringLiteral("Save file")});
}

TEST_F(FileCommandsTest, SaveFirstQuestionPaths) {
    const QString existing = WriteSample("old.kvx", "WQ08", "5.00", 3);
    const std::string before = test::FileBytes(existing.toStdString());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.kvx")));
    const QString save = QStringLiteral("Save file"), open = QStringLiteral("Open file");
    using B = QMessageBox;
    const struct {
        std::deque<QMessageBox::StandardButton> Answers;
        std::deque<ScriptedPrompts::Dialog> Dialogs;
        QStringList Titles;  // of the file dialogs shown
        QString Box;         // the title of the box after the question
    } cases[] = {
        // Yes, then the save dialog cancelled: the open ends there.
        {{B::Yes}, {}, {save}, {}},
        // Yes, overwrite declined (No is the default): the open dialog follows.
        {{B::Yes, B::No}, {{QString(), existing}}, {save, open}, QStringLiteral("Overwrite File?")},
        // Yes, then a save that fails (a folder has the name): the open ends,
        // and the folder is not offered for overwriting.
        {{B::Yes, B::Yes},
         {{QString(), Path(QStringLiteral("folder.kvx"))}, {existing, existing}},
         {save},
         QStringLiteral("Write Error")},
        {{B::Cancel}, {}, {}, {}},  // asks nothing more
    };
    for (const auto& c : cases) {
        prompts->dialogRequests.clear();
        prompts->messages.clear();
        prompts->answers = c.Answers;
        prompts->dialogs = c.Dialogs;
        files().Open(0);
        EXPECT_EQ(prompts->Titles(), c.Titles) << c.Box.toStdString();
        EXPECT_EQ(prompts->messages.size(), c.Box.isEmpty() ? 1u : 2u) << c.Box.toStdString();
        if (c.Box.isEmpty() || prompts->messages.size() < 2) continue;
        EXPECT_EQ(prompts->messages[1].Title, c.Box);
        if (c.Titles.size() == 2) {
            EXPECT_EQ(prompts->messages[1].Default, QMessageBox::No);
        }
    }
    EXPECT_EQ(test::FileBytes(existing.toStdString()), before);
}

TEST_F(FileCommandsTest, SameDeviceOfflineAdoptsTheFileIdentityWithoutAsking) {
    QSignalSpy update(&files(), &FileCommands::catalogueUpdateRequested);
    OpenFile(WriteSample("same.kvx", "WQ16", "5.00", 3));
    EXPECT_TRUE(prompts->optionTexts.empty());
    EXPECT_EQ(config().Identity.Model, "WQ16");
    EXPECT_EQ(config().Limits.MaxRelays, 16);
    ASSERT_EQ(update.count(), 1);
    EXPECT_FALSE(update.at(0).at(0).toBool());
    EXPECT_EQ(inputs().Row(1).txtInputName->text(), QStringLiteral("Front Door"));

    // Online the identity stays.
    window->SetConnection(PanelConnection::Serial(1));
    OpenFile(WriteSample("same2.kvx", "WQ32", "5.00", 3));
    EXPECT_TRUE(prompts->optionTexts.empty());
    EXPECT_EQ(config().Identity.Model, "WQ16");
}

TEST_F(FileCommandsTest, AnotherAddressAsksForTheOpenOption) {
    const QString file = WriteSample("five.kvx", "WQ08", "5.00", 5);

    // Load for the current device: the address stays 3.
    prompts->options = {OpenOption::LoadForCurrentDevice};
    OpenFile(file);
    EXPECT_EQ(prompts->optionTexts.size(), 1u);
    EXPECT_EQ(window->Address(), 3);
    EXPECT_EQ(config().Inputs[1].Timer, 2);

    // Cancel leaves the configuration and ends as a cancelled dialog.
    config().Inputs[1].Name = "Kept";
    window->SetAddress(3);
    prompts->options = {OpenOption::Cancel};
    OpenFile(file);
    EXPECT_EQ(config().Inputs[1].Name, "Kept");
    EXPECT_TRUE(files().DialogCancelled());
}

TEST_F(FileCommandsTest, ReportOriginFollowsTheLastDialog) {
    EXPECT_FALSE(files().Origin().FromFile);
    const QString file = WriteSample("origin.kvx", "WQ08", "5.00", 3, "Shop");
    OpenFile(file);
    EXPECT_TRUE(window->windowTitle().endsWith(file + QStringLiteral("(SHOP)")));
    EXPECT_TRUE(files().Origin().FromFile);
    EXPECT_EQ(files().Origin().FileName, file.toStdString());

    prompts->answers = {QMessageBox::No};
    files().Open(0);  // the dialog is cancelled; it started in the folder of the last file
    EXPECT_EQ(prompts->dialogRequests.back().Folder, dir.path());
    EXPECT_FALSE(files().Origin().FromFile);
}

class PrintDialogTest : public FileCommandsTest {
protected:
    std::unique_ptr<frmPrint> OpenPrint() {
        auto dialog =
            std::make_unique<frmPrint>(config(), files().Origin(), window->GetBeeper(),
                                       window->SpinTicker(), *prompts, printer, window.get());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    PrinterChoice printer;
};

TEST_F(PrintDialogTest, PrintsOnThePrinterAndSaysSo) {
    auto dialog = OpenPrint();
    std::optional<ReportRequest> sent;
    dialog->SetPrintJob(
        [&](const Configuration&, const ReportRequest& request, const PrinterChoice&) {
            sent = request;
            return QString();
        });
    dialog->cmdPrint()->click();
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ(sent->GroupCount, 60);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].Text, QString::fromLatin1(kPrintingInProcessText));
    EXPECT_FALSE(dialog->isVisible());
}

// "Printer..." runs the platform's print dialog; the choice is named in the
// info line and reaches the print job. Where printing fails the report can be
// saved as a PDF, on the chosen printer's paper. (The PDF's text is checked
// against the laid-out report in the report tests.)
TEST_F(PrintDialogTest, ThePrinterChosenIsUsedAndWithoutItTheReportIsSavedAsPdf) {
    auto dialog = OpenPrint();
    dialog->cmdPrinter()->click();  // cancelled: nothing changes
    EXPECT_EQ(dialog->lblInfo()->text(), QString::fromLatin1(kDefaultPrinterInfo));
    prompts->printer = PrinterChoice{QStringLiteral("Office"), QPageSize(QPageSize::Legal), 2};
    dialog->cmdPrinter()->click();
    EXPECT_EQ(dialog->lblInfo()->text(), QStringLiteral("Using printer Office (Legal, 2 copies)."));
    EXPECT_EQ(printer.Name, QStringLiteral("Office"));  // kept for the run

    QString usedPrinter;
    dialog->SetPrintJob(
        [&](const Configuration&, const ReportRequest&, const PrinterChoice& chosen) {
            usedPrinter = chosen.Name;
            return QString::fromLatin1(kNoPrinterText);
        });
    const QString pdf = Path(QStringLiteral("report"));
    prompts->answers = {QMessageBox::Yes};
    prompts->pdfName = pdf;
    dialog->cmdPrint()->click();
    EXPECT_EQ(usedPrinter, QStringLiteral("Office"));
    ASSERT_GE(prompts->messages.size(), 2u);
    EXPECT_THAT(prompts->messages[0].Text.toStdString(),
                HasSubstr("No printer is available.\r\rDo you want to save the report as a PDF"));
    EXPECT_EQ(prompts->messages[1].Icon, QMessageBox::Information);
    EXPECT_THAT(test::FileBytes((pdf + QStringLiteral(".pdf")).toStdString()),
                HasSubstr("/MediaBox [0 0 612.000000 1008.000000]"));
}

// The File menu keeps its captions and gains the usual keys.
TEST_F(FileCommandsTest, FileMenuShortcutsReachTheirCommands) {
    QStringList captions;
    for (const QAction* action : window->FileMenu().actions())
        if (!action->isSeparator()) captions << action->text();
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("&Open|Open &Recent|Open &Names|&Export Names...|&Import Names...|"
                             "&Save|Save &As...|&Print|E&xit"));
    EXPECT_EQ(files().PrintAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));  // modal
    // Ctrl+S and Ctrl+Shift+S ask for a file (none opened yet), Ctrl+O asks
    // to save first, Ctrl+Q asks before the exit.
    answer = false;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompts->Titles().join(QLatin1Char('|')), QStringLiteral("Save file|Save file"));
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_FALSE(prompts->messages.empty());
    EXPECT_EQ(prompts->messages.back().Title, QStringLiteral("Save Current Data?"));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    ASSERT_FALSE(questions.empty());
    EXPECT_THAT(questions.back().toStdString(), HasSubstr("Exit ?|"));
}

// Open Recent: newest first, each file once, at most eight; a file that is
// gone is taken off with a word, one still there opens as Open would.
TEST_F(FileCommandsTest, OpenRecentListsTheLastFilesAndDropsMissingOnes) {
    QStringList many;
    for (int n = 1; n <= 10; ++n) many << Path(QStringLiteral("f%1.kvx").arg(n)) << many.value(0);
    files().SetRecentFiles(many);
    EXPECT_EQ(files().RecentFileList().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(files().RecentFileList().value(1), Path(QStringLiteral("f2.kvx")));

    files().SetRecentFiles({});
    EXPECT_FALSE(files().RecentMenu()->isEnabled());
    const QString first = WriteSample("first.kvx", "WQ08", "5.00", 3);
    const QString second = WriteSample("second.kvx", "KV-4800", "4.00", 3);
    OpenFile(first);
    prompts->options = {OpenOption::GoOfflineWithFileDevice, OpenOption::GoOfflineWithFileDevice};
    OpenFile(second);
    OpenFile(first);
    EXPECT_EQ(files().RecentFileList(), (QStringList{first, second}));
    ASSERT_TRUE(files().RecentMenu()->isEnabled());
    const QList<QAction*> entries = files().RecentMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 first.kvx"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 second.kvx"));

    prompts->answers = {QMessageBox::No};
    prompts->options = {OpenOption::GoOfflineWithFileDevice};
    entries[1]->trigger();
    EXPECT_EQ(config().Identity.Model, "KV-4800");
    EXPECT_EQ(files().RecentFileList(), (QStringList{second, first}));

    ASSERT_TRUE(QFile::remove(first));
    prompts->messages.clear();
    files().OpenRecent(first);
    EXPECT_EQ(files().RecentFileList(), QStringList{second});
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_THAT(prompts->messages[0].Text.toStdString(), HasSubstr("no longer exists"));
    EXPECT_EQ(config().Identity.Model, "KV-4800");
}

TEST_F(FileCommandsTest, OpenAtStartGoesOfflineForTheFileDeviceOrSaysWhyNot) {
    const QString notes = Path(QStringLiteral("notes.kvx"));
    QFile(notes).open(QIODevice::WriteOnly);
    // A named pipe is refused before anything opens it (opening would wait for a writer).
    const QString pipe = Path(QStringLiteral("pipe.kvx"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::pair<QString, const char*> refused[] = {
        {Path(QStringLiteral("missing.kvx")), "does not exist"},
        {dir.path(), "is a folder"},
        {notes, "header is missing or damaged"},
        {pipe, "cannot be read: Not a regular file but a named pipe"}};
    for (const auto& [path, why] : refused) {
        prompts->messages.clear();
        EXPECT_FALSE(files().OpenAtStart(path));
        ASSERT_EQ(prompts->messages.size(), 1u);
        EXPECT_THAT(prompts->messages[0].Text.toStdString(), HasSubstr(why));
    }
    window->SetConnection(PanelConnection::Serial(1));
    EXPECT_TRUE(files().OpenAtStart(WriteSample("lobby.kvx", "KV-4800", "4.00", 5)));
    EXPECT_FALSE(config().Status.IsOnline());
    EXPECT_EQ(config().Identity.Model, "KV-4800");
    EXPECT_EQ(window->Address(), 5);
    EXPECT_EQ(config().Inputs[1].Name, "Front Door");
}

}  // namespace
}  // namespace kvtk
