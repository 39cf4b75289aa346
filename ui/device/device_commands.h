#pragma once
// The Device menu of the main window (Select, Read, Write, Reset) and the
// address change: each command runs its panel operation on the panel
// line's exchange, with the main window's host. Read, Write and Reset exist
// only while a panel is online, and while one of them runs no other command
// can start.

#include <QObject>
#include <QPointer>
#include <memory>

#include "transfer/operations/read_configuration.h"
#include "transfer/operations/write_configuration.h"
#include "ui/device/commissioning_steps.h"
#include "ui/device/frmAddressChange.h"
#include "ui/device/gui_operation_host.h"

class QAction;
class QMenu;

namespace kvtk {

class MainWindowAccess;
class PanelExchange;
class frmWriteOptions;

// The "Set All As Type" entry (a type number, 0 for none) that inputs read
// with an extended type rule out on the panel's firmware.
int SetAllTypeRuledOut(const ReadOutcome& outcome, const ProductIdentity& identity);

class DeviceCommands : public QObject {
    Q_OBJECT
public:
    // Fills the Device menu; the window's owner lets FollowConnection and
    // ChangeAddress follow the window.
    DeviceCommands(MainWindowAccess& window, QMenu& deviceMenu);
    ~DeviceCommands() override;

    // The communication window's exchange (not owned). Without one every
    // panel command ends at once, as if cancelled.
    void SetExchange(PanelExchange* exchange) { exchange_ = exchange; }
    GuiOperationHost& Host() { return host_; }
    frmWriteOptions& WriteOptionsDialog() { return *writeOptions_; }
    // The backup before a change, the check after a write, the comparison.
    CommissioningSteps& Commissioning() { return commissioning_; }

    // True while a read, write, reset or address change runs.
    bool Busy() const { return busy_; }

    // The Read command; also what the activation runs after "Read
    // configuration?" is answered Yes.
    ReadOutcome Read();
    // The Write command: the write options, the backup (when chosen), the
    // write, the saving wait and the check (when chosen). A failed backup
    // the user does not accept sends nothing (NothingChosen).
    WriteOutcome Write();
    // Device > "Compare With File...".
    void CompareWithFile();
    void Reset();
    // Shows "Address Change" modally and returns at once (a double click on
    // the address field); the window deletes itself when closed.
    void ChangeAddress();
    frmAddressChange* AddressChangeWindow() const { return addressChange_; }

    QAction* mnuDeviceSelect() const { return select_; }
    QAction* mnuDeviceRead() const { return read_; }
    QAction* mnuDeviceWrite() const { return write_; }
    QAction* mnuDeviceReset() const { return reset_; }
    QAction* mnuDeviceCompare() const { return compare_; }
    QAction* mnuDeviceSite() const { return site_; }

public slots:
    // Read, Write and Reset exist only while a panel is online.
    void FollowConnection(bool online);

signals:
    // Device > Select: the connect dialog opens again.
    void selectRequested();
    // Device > "Site...": the Site window opens.
    void siteRequested();
    void busyChanged(bool busy);
    // The address change lost the panel at its new address: now offline.
    void wentOffline();

protected:
    // Closing the main window waits until the running operation has ended.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Data loaded for another product go to a panel only when the user
    // says so (Yes/No, No by default).
    bool WriteForAnotherProductChosen();
    void SetBusy(bool busy);
    PanelExchange& Exchange();

    MainWindowAccess& window_;
    GuiOperationHost host_;
    CommissioningSteps commissioning_;
    PanelExchange* exchange_ = nullptr;
    std::unique_ptr<PanelExchange> noExchange_;
    frmWriteOptions* writeOptions_;
    QPointer<frmAddressChange> addressChange_;
    bool busy_ = false;
    QAction* select_;
    QAction* read_;
    QAction* write_;
    QAction* reset_;
    QAction* compare_;
    QAction* site_;
};

}  // namespace kvtk
