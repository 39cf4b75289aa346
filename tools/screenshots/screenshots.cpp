// kvtk-screenshots [--dark] FOLDER: draws the connect dialog, the main window, the
// group editor, the open dialog with its information panel, the compare
// window and the communication window with its traffic pane into FOLDER, as
// the README shows them, and the print dialog and About; --dark in a dark theme.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "comm/panel_line.h"
#include "comm/port_slots.h"
#include "files/config_writer.h"
#include "model/products.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "tools/screenshots/dark_theme.h"
#include "transfer/operations/config_compare.h"
#include "ui/comm/frmComm.h"
#include "ui/comm/message_prompter.h"
#include "ui/comm/traffic_pane.h"
#include "ui/connect/frmConnect.h"
#include "ui/device/frmCompare.h"
#include "ui/device/gui_operation_host.h"
#include "ui/files/file_info_panel.h"
#include "ui/files/file_prompts.h"
#include "ui/files/frmPrint.h"
#include "ui/groups/frmGroupSetup.h"
#include "ui/main/frmAbout.h"
#include "ui/main/frmMain.h"
#include "ui/main/input_editor.h"
#include "ui/session/gui_session.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    const bool saved = widget.grab().save(path);
    std::printf("%s%s\n", qPrintable(path), saved ? "" : ": not written");
    return saved;
}

std::unique_ptr<frmMain> OfflineMainWindow() {
    auto window = std::make_unique<frmMain>();
    window->SetBeepSink([] {});
    window->SetQuestionAsker([](const QString&, const QString&) { return false; });
    ConnectChoice choice;
    choice.Product = {"WQ08", "5.00+"};
    window->ApplyConnectChoice(choice);
    return window;
}

bool ConnectDialog(const QDir& folder) {
    std::unique_ptr<SimLine> line = MakeDemoLine();
    auto main = OfflineMainWindow();
    GuiSession session(*main, PortSlots(QStringList{}));
    session.Prompts().SetAnswerer([](const MessageRequest&) { return MessageAnswer::Cancel; });
    session.Line().BindSlotFactory(
        1, [&line] { return std::make_unique<SimulatedLink>(*line); },
        QStringLiteral("built-in simulated line"));
    session.Start();
    frmConnect& dialog = session.Connect();
    if (!QTest::qWaitForWindowExposed(&dialog)) return false;
    dialog.CommPortOption(1)->click();
    dialog.txtAddress()->setText(QStringLiteral("2"));
    dialog.cmdRead()->click();
    dialog.Hints().setText(dialog.Hints().HintFor(dialog.cmdRead()));
    const bool saved = Save(dialog, folder, "connect-dialog.png");
    dialog.hide();
    return saved;
}

bool MainWindowAndGroupEditor(const QDir& folder) {
    auto window = OfflineMainWindow();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    window->Config().Groups[1].Name = "Lobby";
    window->Config().Groups[2].Name = "Corridor";
    window->RebuildGroupNameLists();
    window->Inputs().CreateDefaultNames(0);
    window->Hints().setText(
        QStringLiteral("Move the pointer over a control to have information about it "
                       "displayed here."));
    window->resize(window->sizeHint());
    bool saved = Save(*window, folder, "main-window.png");

    Configuration& config = window->Config();
    config.Groups[3].Name = "Lobby";
    config.Groups[3].SetMember(5, true);
    config.Inputs[3].Name = "Front door";
    window->OpenGroupSetupOn(QStringLiteral("3"));
    frmGroupSetup& editor = window->GroupSetup();
    if (!QTest::qWaitForWindowExposed(&editor)) return false;
    editor.Hints().setText(editor.Hints().HintFor(editor.chkMember(5)));
    saved = Save(editor, folder, "group-editor.png") && saved;
    editor.hide();
    window->hide();
    return saved;
}

// The Print dialog once a printer was chosen with "Printer...", and About.
bool PrintDialogAndAbout(const QDir& folder) {
    auto window = OfflineMainWindow();
    QtFilePrompts prompts(window.get());
    PrinterChoice printer{QStringLiteral("Office"), QPageSize(QPageSize::A4), 2};
    frmPrint dialog(window->Config(), ReportOrigin{}, window->GetBeeper(), window->SpinTicker(),
                    prompts, printer, window.get());
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) return false;
    bool saved = Save(dialog, folder, "print-dialog.png");
    dialog.hide();
    frmAbout about(window.get());
    about.show();
    if (!QTest::qWaitForWindowExposed(&about)) return false;
    saved = Save(about, folder, "about.png") && saved;
    about.hide();
    return saved;
}

bool WriteSample(const QDir& dir, const char* name, const std::string& model,
                 const std::string& version, int address, const std::string& description) {
    Configuration sample;
    sample.Identity = {model, version};
    ApplyProductCapabilities(sample, model, version);
    sample.Panel.Address = std::to_string(address);
    sample.AddressTable[static_cast<size_t>(address)].Name = "Sample";
    const QString path = dir.filePath(QString::fromLatin1(name));
    return WriteConfigFile(QFile::encodeName(path).toStdString(), sample,
                           {"12-03-26", "14:05:09", description})
        .Ok();
}

bool OpenDialog(const QDir& folder) {
    QTemporaryDir files;
    const QDir dir(files.path());
    if (!WriteSample(dir, "lobby.kvx", "KV-4800", "4.00", 12, "Main lobby panel") ||
        !WriteSample(dir, "annex.kvx", "WQ16", "5.00", 4, ""))
        return false;
    FileInfoState info;
    const ConfigFileDialogRequest request{false, QStringLiteral("Open file"),
                                          QStringLiteral("Open"), files.path()};
    std::unique_ptr<QFileDialog> dialog(CreateConfigFileDialog(request, info, nullptr));
    dialog->setDirectory(files.path());
    dialog->resize(1000, 420);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get())) return false;
    // Point at the file as a click would (the view fills in asynchronously).
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (!view) return false;
    const bool found = QTest::qWaitFor([&] {
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex index = view->model()->index(row, 0, root);
            if (index.data().toString() != QStringLiteral("lobby.kvx")) continue;
            view->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return true;
        }
        return false;
    });
    if (!found) return false;
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(QStringLiteral("lobby.kvx"));
    QTest::qWait(200);
    return Save(*dialog, folder, "open-dialog.png");
}

// The panel holds the file except for two registers changed behind the
// tool's back.
bool CompareWindow(const QDir& folder) {
    Configuration file;
    file.Identity = {"WQ16", "5.00"};
    ApplyProductCapabilities(file, "WQ16", "5.00");
    file.Panel.NumRelays = "16";
    file.Panel.TimerDuration[1] = "00:15";
    Configuration panel = file;
    panel.Panel.NumRelays = "12";
    panel.Panel.TimerDuration[1] = "01:00";
    frmCompare window(QStringLiteral("Compare With File"));
    window.ShowDifferences(
        QStringLiteral("2 differences between lobby.kvx and the device at address 1."),
        ConfigurationDifferences(file, panel));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return false;
    return Save(window, folder, "compare-window.png");
}

// The list before a write: the panel's values against the new ones.
bool PreWriteList(const QDir& folder) {
    Configuration file;
    file.Identity = {"WQ16", "5.00"};
    ApplyProductCapabilities(file, "WQ16", "5.00");
    file.Inputs[3].Timer = 2;
    file.Groups[2].Priority = 1;
    Configuration panel = file;
    panel.Inputs[3].Timer = 0;
    panel.Groups[2].Priority = 0;
    const auto list = ConfigurationDifferences(file, panel);
    frmCompare window(QStringLiteral("Before Write"));
    window.ShowChanges(QStringLiteral("%1 differences between the device at address 1 and what "
                                      "will be written.")
                           .arg(list.size()),
                       list);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return false;
    return Save(window, folder, "pre-write-list.png");
}

// A write under way: the main window's status line and the port window,
// told by the operation host as a write reports its steps.
bool WriteProgress(const QDir& folder) {
    auto window = OfflineMainWindow();
    window->SetIdentity({"WQ16", "5.00"});
    window->SetAddress(1);
    window->SetConnection(PanelConnection::Serial(1));
    window->show();
    MessagePrompter prompts;
    PanelLine panelLine(PortSlots(QStringList{}), prompts);
    frmComm comm{panelLine};
    GuiOperationHost host(*window);
    PortWindowHooks hooks;
    hooks.Show = [&comm](bool shown) { comm.setVisible(shown); };
    hooks.Progress = [&comm](const std::string& text) { comm.ShowProgress(ToQString(text)); };
    host.SetPortWindowHooks(std::move(hooks));
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    host.Started({OperationKind::Write, 134});
    QTest::qWait(600);
    OperationStep step{OperationKind::Write, "Input 20", 30, 134};
    step.FramesSent = 31;
    step.FramesOf = 378;
    host.StepDone(step);
    panelLine.Settings().SetResponseDescription("Command Accepted");
    return Save(*window, folder, "write-progress.png") &&
           Save(comm, folder, "port-window-progress.png");
}

// A few exchanges with the demo line's first panel and one silent address.
bool CommunicationWindow(const QDir& folder) {
    std::unique_ptr<SimLine> line = MakeDemoLine();
    MessagePrompter prompts;
    PanelLine panelLine(PortSlots(QStringList{}), prompts);
    frmComm comm{panelLine};
    panelLine.BindSlotFactory(
        1, [&line] { return std::make_unique<SimulatedLink>(*line); }, QStringLiteral("sim"));
    panelLine.Exchange().SetOffline(false);
    comm.show();
    comm.cmdTraffic()->click();
    panelLine.Settings().SetAttempts(1);
    panelLine.Settings().SetMaxResponseMs(50);
    if (!panelLine.OpenSlot(1)) return false;
    for (const char* command : {"LR73", "KV", "LR65", "LR64"})
        panelLine.Exchange().Exchange(1, command, "", FailureStyle::Silent);
    panelLine.Exchange().Exchange(9, "LR73", "", FailureStyle::Silent);
    comm.TrafficView().Refresh();
    return Save(comm, folder, "traffic-pane.png");
}

}  // namespace
}  // namespace kvtk

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--dark") == 0) {
        kvtk::UseDarkTheme(app);
        ++argv;
        --argc;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: kvtk-screenshots [--dark] FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "kvtk-screenshots: no folder %s\n", argv[1]);
        return 2;
    }
    bool ok = kvtk::ConnectDialog(folder);
    ok = kvtk::MainWindowAndGroupEditor(folder) && ok;
    ok = kvtk::OpenDialog(folder) && ok;
    ok = kvtk::CompareWindow(folder) && ok;
    ok = kvtk::PreWriteList(folder) && ok;
    ok = kvtk::WriteProgress(folder) && ok;
    ok = kvtk::CommunicationWindow(folder) && ok;
    ok = kvtk::PrintDialogAndAbout(folder) && ok;
    return ok ? 0 : 1;
}
