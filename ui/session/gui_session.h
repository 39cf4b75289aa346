#pragma once
// The windows of one run and how they meet: the panel line is made first,
// then the communication window that shows it and the connect dialog whose
// choices the session applies to it; both windows are loaded once; the dialog is the first window,
// its OK shows the main window, Device > Select and a double click on the status frame show it
// again. A newly connected panel gets the memory check and the "Read configuration?" question. The
// choices worth keeping are restored at the start and remembered after the dialog's OK and at the
// end.

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "comm/port_slots.h"
#include "ui/comm/message_prompter.h"

namespace kvtk {

class PanelLine;
class frmComm;
class frmConnect;
class frmMain;
class frmProductCode;
class frmSite;
class RememberedSettings;
struct SitePanel;

class GuiSession : public QObject {
    Q_OBJECT
public:
    // Without `remembered` nothing is restored or remembered.
    GuiSession(frmMain& main, PortSlots portSlots, RememberedSettings* remembered = nullptr,
               QObject* parent = nullptr);
    ~GuiSession() override;

    // Restores the remembered choices and shows the connect dialog as the
    // first window; with `fileToOpen`, the main window with that file
    // instead, unless it cannot be opened.
    void Start(const QString& fileToOpen = QString());
    // Stores the current choices in the remembered settings.
    void Remember();

    PanelLine& Line() { return *line_; }
    // The line's message boxes (tests answer them).
    MessagePrompter& Prompts() { return prompter_; }
    frmComm& Comm() { return *comm_; }
    frmConnect& Connect() { return *connect_; }
    // The product code window while it is open.
    frmProductCode* ProductCodeWindow() const;
    // The Site window, made on first use; it keeps its folder and table.
    frmSite& Site();

signals:
    // The user answered Yes to "Read configuration?": the read follows.
    void readRequested();

private:
    void OnPanelConnected();
    void ShowConnectDialog();
    // "FactoryMode" at the connect dialog's hidden prompt: the product code
    // window, modal over the dialog, for the dialog's address.
    void OpenProductCode();
    void Restore();
    // Device > "Site..." and the connect dialog's "Site...".
    void ShowSite();
    // A double click in the Site window: the main window goes online at the
    // row's address with its file's values and lists what the panel holds
    // otherwise, as "Compare With File..." does.
    void OpenSitePanel(const SitePanel& row, const QString& filePath);

    frmMain& main_;
    RememberedSettings* remembered_;
    MessagePrompter prompter_;
    std::unique_ptr<PanelLine> line_;
    std::unique_ptr<frmComm> comm_;
    std::unique_ptr<frmConnect> connect_;
    QPointer<frmProductCode> productCode_;
    std::unique_ptr<frmSite> site_;
};

}  // namespace kvtk
