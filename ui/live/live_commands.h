#pragma once
// The live views and the bad-relay report of the main window's menus:
// Input > "&View Current States" (frmInputCheck), Group > "View/Modify
// Current States" (frmGroupCheck) and Other > "Check For Bad Relays". Each
// talks to the panel at the configuration's address through the
// communication window's exchange. The two windows are created on first use
// and kept, so that the selected group and the calibration texts stay.

#include <QObject>
#include <memory>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/operations/bad_relays.h"

class QWidget;

namespace kvtk {

class OperationHost;
class frmGroupCheck;
class frmInputCheck;

class LiveCommands : public QObject {
    Q_OBJECT
public:
    // The windows open over `window`; the bad-relay report asks and tells
    // through `host`.
    LiveCommands(Configuration& config, OperationHost& host, QWidget& window);
    ~LiveCommands() override;

    // The communication window's exchange (not owned). Without one every
    // command reads as cancelled.
    void SetExchange(PanelExchange* exchange) { route_->Target = exchange; }

    // Shows the window modally and starts its loop; returns at once.
    void ViewInputs();
    void ViewGroups();
    BadRelayOutcome CheckBadRelays();

    frmInputCheck& InputCheck();
    frmGroupCheck& GroupCheck();

    // Whether each command may run now (the menus follow these).
    static bool LiveViewsEnabled(const Configuration& config);
    static bool BadRelayCheckEnabled(const Configuration& config);

private:
    // Sends through the attached exchange; cancelled while none is attached.
    struct Route : PanelExchange {
        PanelExchange* Target = nullptr;
        std::string DoExchange(int address, const std::string& command,
                               const std::string& description, FailureStyle style,
                               int dataChars) override;
        int Attempts() const override;
        void SetAttempts(int attempts) override;
    };

    Configuration& config_;
    OperationHost& host_;
    QWidget& window_;
    std::unique_ptr<Route> route_;
    frmInputCheck* inputCheck_ = nullptr;
    frmGroupCheck* groupCheck_ = nullptr;
};

}  // namespace kvtk
