#include "ui/gui_session.h"

#include <QApplication>

#include "transfer/read_configuration.h"
#include "ui/device_commands.h"
#include "ui/file_commands.h"
#include "ui/frmComm.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/frmProductCode.h"
#include "ui/live_commands.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

GuiSession::GuiSession(frmMain& main, PortSlots portSlots, QObject* parent)
    : QObject(parent),
      main_(main),
      comm_(std::make_unique<frmComm>(std::move(portSlots))),
      connect_(std::make_unique<frmConnect>(main, *comm_)) {
    // The Device menu's commands talk through the communication window.
    main_.Device().SetExchange(&comm_->Exchange());
    main_.Live().SetExchange(&comm_->Exchange());
    PortWindowHooks hooks;
    hooks.Show = [this](bool shown) { comm_->setVisible(shown); };
    hooks.ResponseDescription = [this](const std::string& text) {
        comm_->Settings().SetResponseDescription(text);
    };
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
    connect(connect_.get(), &frmConnect::programEndRequested, this, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
}

GuiSession::~GuiSession() = default;

void GuiSession::Start() {
    connect_->setWindowModality(Qt::NonModal);
    connect_->show();
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

frmProductCode* GuiSession::ProductCodeWindow() const {
    return productCode_;
}

void GuiSession::OpenProductCode() {
    if (productCode_) return;
    // Shown without a nested loop; it deletes itself when closed.
    auto* window = new frmProductCode(connect_->Address(), comm_->Exchange(), main_.Device().Host(),
                                      connect_.get());
    window->setAttribute(Qt::WA_DeleteOnClose);
    productCode_ = window;
    window->show();
}

void GuiSession::OnPanelConnected() {
    Configuration& config = main_.Config();
    const MemoryCheckResult memory = CheckMemory(config, comm_->Exchange());
    main_.SetMemoryCheck(memory.Eprom, memory.Eeprom);
    main_.RefreshInputs();
    const QString text = QStringLiteral("Do you want to read the current configuration of ") +
                         ToQString(config.Identity.Model) + QStringLiteral(" Version ") +
                         ToQString(config.Identity.Version) + QStringLiteral(" at address ") +
                         QString::number(main_.Address()) + QStringLiteral("?");
    if (main_.Ask(QStringLiteral("Read configuration?"), text)) emit readRequested();
}

}  // namespace kvtk
