#include "ui/session/gui_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

#include "comm/panel_line.h"
#include "transfer/commissioning/file_comparison.h"
#include "transfer/operations/read_configuration.h"
#include "ui/comm/frmComm.h"
#include "ui/connect/frmConnect.h"
#include "ui/device/device_commands.h"
#include "ui/device/frmProductCode.h"
#include "ui/device/frmWriteOptions.h"
#include "ui/files/file_commands.h"
#include "ui/live/live_commands.h"
#include "ui/main/frmMain.h"
#include "ui/session/remembered_settings.h"
#include "ui/site/frmSite.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

GuiSession::GuiSession(frmMain& main, PortSlots portSlots, RememberedSettings* remembered,
                       QObject* parent)
    : QObject(parent),
      main_(main),
      remembered_(remembered),
      line_(std::make_unique<PanelLine>(std::move(portSlots), prompter_)),
      comm_(std::make_unique<frmComm>(*line_)),
      connect_(std::make_unique<frmConnect>(main, *line_)) {
    // The line's message boxes stand over the communication window.
    prompter_.SetParent(comm_.get());
    main_.Device().SetExchange(&line_->Exchange());
    main_.Live().SetExchange(&line_->Exchange());
    connect(connect_.get(), &frmConnect::connectionChosen, line_.get(),
            [this](const PanelConnection& choice) { line_->Choose(choice); });
    PortWindowHooks hooks;
    hooks.Show = [this](bool shown) { comm_->setVisible(shown); };
    hooks.Clear = [this] { line_->Settings().ClearRequest(); };
    hooks.ResponseDescription = [this](const std::string& text) {
        line_->Settings().SetResponseDescription(text);
    };
    hooks.Progress = [this](const std::string& text) { comm_->ShowProgress(ToQString(text)); };
    main_.Device().Host().SetPortWindowHooks(std::move(hooks));
    connect(&main_, &frmMain::connectDialogRequested, this, &GuiSession::ShowConnectDialog);
    connect(&main_, &frmMain::panelConnected, this, &GuiSession::OnPanelConnected);
    // Elsewhere the main window went offline: the dialog follows.
    connect(&main_.Device(), &DeviceCommands::wentOffline, connect_.get(),
            &frmConnect::SelectOffline);
    connect(&main_.Files(), &FileCommands::catalogueUpdateRequested, connect_.get(),
            [this](bool selectOffline) {
                if (selectOffline) connect_->SelectOffline();
                connect_->UpdateCatalogueFromMain();
            });
    connect(connect_.get(), &frmConnect::productCodeRequested, this, &GuiSession::OpenProductCode);
    connect(connect_.get(), &frmConnect::siteRequested, this, &GuiSession::ShowSite);
    connect(&main_.Device(), &DeviceCommands::siteRequested, this, &GuiSession::ShowSite);
    connect(connect_.get(), &frmConnect::programEndRequested, this, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
}

GuiSession::~GuiSession() = default;

void GuiSession::Start(const QString& fileToOpen) {
    Restore();
    connect(connect_.get(), &frmConnect::choiceAccepted, this, &GuiSession::Remember);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &GuiSession::Remember);
    if (!fileToOpen.isEmpty() && main_.Files().OpenAtStart(fileToOpen)) {
        main_.show();
        return;
    }
    connect_->setWindowModality(Qt::NonModal);
    connect_->show();
}

void GuiSession::Restore() {
    if (!remembered_) return;
    const RememberedValues& values = remembered_->Values();
    line_->Settings().SetMaxResponseMs(values.MaxResponseMs);
    line_->Settings().SetAttempts(values.Attempts);
    connect_->txtHost()->setText(values.RelayHost);
    connect_->txtUser()->setText(values.RelayUser);
    connect_->RestoreChoice(values.Connection, values.Address, values.PortName);
    connect_->chkQuick()->setChecked(values.QuickScan);
    main_.Files().SetLastFolder(values.LastFolder);
    main_.Files().Printer().Name = values.PrinterName;
    main_.Files().SetRecentFiles(values.RecentFiles);
    main_.Device().WriteOptionsDialog().SetSafety(
        {values.BackupBeforeWrite, values.VerifyAfterWrite, values.ChangesOnly});
    main_.RestoreGeometry(values.MainWindowGeometry);
}

void GuiSession::Remember() {
    if (!remembered_) return;
    RememberedValues& values = remembered_->Values();
    values.Connection = connect_->ChoiceIndex();
    values.PortName = connect_->ChosenPortName();
    values.Address = connect_->Choice().Address;
    values.RelayHost = connect_->txtHost()->text().trimmed();
    values.RelayUser = connect_->txtUser()->text();
    values.QuickScan = connect_->chkQuick()->isChecked();
    values.LastFolder = main_.Files().LastFolder();
    values.PrinterName = main_.Files().Printer().Name;
    values.RecentFiles = main_.Files().RecentFileList();
    if (site_) values.SiteFolder = site_->Folder();
    values.MaxResponseMs = line_->Settings().MaxResponseMs();
    values.Attempts = line_->Settings().Attempts();
    const WriteSafety safety = main_.Device().WriteOptionsDialog().Safety();
    values.BackupBeforeWrite = safety.Backup;
    values.VerifyAfterWrite = safety.Verify;
    values.ChangesOnly = safety.ChangesOnly;
    // A main window never shown has no geometry of its own yet.
    if (main_.windowHandle()) values.MainWindowGeometry = main_.saveGeometry();
    remembered_->Save();
}

void GuiSession::ShowConnectDialog() {
    // Again from the main window: modal. Not while a panel command runs,
    // since choosing another connection would pull the link from under it.
    if (main_.Device().Busy()) {
        main_.GetBeeper().Beep();
        return;
    }
    if (connect_->isVisible()) {
        connect_->raise();
        return;
    }
    connect_->setWindowModality(Qt::ApplicationModal);
    connect_->open();
}

frmSite& GuiSession::Site() {
    if (site_) return *site_;
    site_ = std::make_unique<frmSite>(line_->Exchange());
    site_->Host().SetResponseSink(
        [this](const std::string& text) { line_->Settings().SetResponseDescription(text); });
    // While a site step runs, nothing else may use the line.
    connect(site_.get(), &frmSite::runningChanged, this, [this](bool running) {
        main_.setEnabled(!running);
        connect_->setEnabled(!running);
    });
    connect(site_.get(), &frmSite::panelOpenRequested, this, &GuiSession::OpenSitePanel);
    if (remembered_ && !remembered_->Values().SiteFolder.isEmpty())
        site_->OpenFolder(remembered_->Values().SiteFolder);
    return *site_;
}

void GuiSession::ShowSite() {
    if (main_.Device().Busy()) {
        main_.GetBeeper().Beep();
        return;
    }
    frmSite& site = Site();
    site.SetBackupFolder(main_.Device().Commissioning().BackupFolder());
    site.SetVerifyAfterWrite(main_.Device().WriteOptionsDialog().Safety().Verify);
    site.SetQuickScan(connect_->chkQuick()->isChecked());
    // Over the modal connect dialog only a modal window can be used.
    if (!site.isVisible())
        site.setWindowModality(connect_->isVisible() && connect_->isModal() ? Qt::ApplicationModal
                                                                            : Qt::NonModal);
    site.show();
    site.raise();
    site.activateWindow();
}

void GuiSession::OpenSitePanel(const SitePanel& row, const QString& filePath) {
    if (main_.Device().Busy()) {
        main_.GetBeeper().Beep();
        return;
    }
    if (connect_->isVisible()) connect_->hide();
    // Made modal over the connect dialog, the window would now block the main window.
    if (site_ && site_->isModal()) {
        site_->hide();
        site_->setWindowModality(Qt::NonModal);
        site_->show();
    }
    main_.SetConnection(connect_->Choice().Connection);
    main_.SetAddress(row.Address);
    main_.SetIdentity({row.Model, row.Version});
    const FileResult loaded =
        LoadFileForDevice(QFile::encodeName(filePath).toStdString(), main_.Config());
    main_.ShowConfiguration();
    main_.show();
    main_.raise();
    if (!loaded.Ok()) {
        main_.Device().Host().ShowMessage(loaded.Message);
        return;
    }
    main_.Device().Commissioning().CompareWithFileAt(line_->Exchange(), filePath);
}

frmProductCode* GuiSession::ProductCodeWindow() const {
    return productCode_;
}

void GuiSession::OpenProductCode() {
    if (productCode_) return;
    // Shown without a nested loop; it deletes itself when closed.
    auto* window = new frmProductCode(connect_->Address(), line_->Exchange(), main_.Device().Host(),
                                      connect_.get());
    window->setAttribute(Qt::WA_DeleteOnClose);
    productCode_ = window;
    window->show();
}

void GuiSession::OnPanelConnected() {
    Configuration& config = main_.Config();
    const MemoryCheckResult memory = CheckMemory(config, line_->Exchange());
    main_.SetMemoryCheck(memory.Eprom, memory.Eeprom);
    main_.RefreshInputs();
    const QString text = QStringLiteral("Do you want to read the current configuration of ") +
                         ToQString(config.Identity.Model) + QStringLiteral(" Version ") +
                         ToQString(config.Identity.Version) + QStringLiteral(" at address ") +
                         QString::number(main_.Address()) + QStringLiteral("?");
    if (main_.Ask(QStringLiteral("Read configuration?"), text)) emit readRequested();
}

}  // namespace kvtk
