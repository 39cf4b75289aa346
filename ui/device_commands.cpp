#include "ui/device_commands.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "model/panel_exchange.h"
#include "transfer/reset_panel.h"
#include "ui/edit_commands.h"
#include "ui/frmAddressChange.h"
#include "ui/frmMain.h"
#include "ui/frmWriteOptions.h"
#include "ui/input_editor.h"

namespace kvtk {
namespace {

// Stands in while no exchange is attached: every command reads as cancelled,
// so an operation ends at once without taking a value.
class NoExchange : public PanelExchange {
public:
    std::string Exchange(int, const std::string&, const std::string&, int) override { return ""; }
};

QAction* AddCommand(QMenu& menu, const char* caption, const char* name) {
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

DeviceCommands::DeviceCommands(frmMain& window, QMenu& deviceMenu)
    : QObject(&window),
      window_(window),
      host_(window),
      noExchange_(std::make_unique<NoExchange>()),
      writeOptions_(new frmWriteOptions(window.SpinTicker(), window.GetBeeper(), &window)),
      select_(AddCommand(deviceMenu, "&Select...", "mnuDeviceSelect")),
      read_(AddCommand(deviceMenu, "&Read", "mnuDeviceRead")),
      write_(AddCommand(deviceMenu, "&Write...", "mnuDeviceWrite")),
      reset_(AddCommand(deviceMenu, "R&eset", "mnuDeviceReset")) {
    connect(select_, &QAction::triggered, &window_, &frmMain::connectDialogRequested);
    connect(read_, &QAction::triggered, this, [this] { Read(); });
    connect(write_, &QAction::triggered, this, [this] { Write(); });
    connect(reset_, &QAction::triggered, this, &DeviceCommands::Reset);
    connect(&window_, &frmMain::addressChangeRequested, this, &DeviceCommands::ChangeAddress);
    connect(&window_, &frmMain::connectionChanged, this, &DeviceCommands::ConnectionChanged);
    ConnectionChanged(window_.Config().Status.IsOnline());
    window_.installEventFilter(this);
}

DeviceCommands::~DeviceCommands() = default;

PanelExchange& DeviceCommands::Exchange() {
    return exchange_ ? *exchange_ : *noExchange_;
}

void DeviceCommands::ConnectionChanged(bool online) {
    read_->setEnabled(online);
    write_->setEnabled(online);
    reset_->setEnabled(online);
}

void DeviceCommands::SetBusy(bool busy) {
    busy_ = busy;
    // Menu commands of every kind wait until the operation has ended; the
    // write lets window events run between registers.
    window_.menuBar()->setEnabled(!busy);
    emit busyChanged(busy);
}

bool DeviceCommands::eventFilter(QObject* watched, QEvent* event) {
    if (busy_ && watched == &window_ && event->type() == QEvent::Close) {
        window_.GetBeeper().Beep();
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ReadOutcome DeviceCommands::Read() {
    if (busy_ || !window_.Config().Status.IsOnline()) return {};
    const auto undoStep = window_.Edit().Step(QStringLiteral("Read"));
    SetBusy(true);
    host_.SetShowValuesOnRepaint(true);
    const ReadOutcome outcome = ReadConfiguration(window_.Config(), Exchange(), host_);
    host_.SetShowValuesOnRepaint(false);

    window_.ShowConfiguration();
    if (outcome.DisableSetAllLinkedOn) window_.SetAllTypeAction(kLinkedOn)->setEnabled(false);
    if (outcome.DisableSetAllStateChange) window_.SetAllTypeAction(kStateChange)->setEnabled(false);
    if (window_.Inputs().FirstShown() != 1)
        window_.Inputs().ShowFrom(1);
    else
        window_.RefreshInputs();
    SetBusy(false);
    return outcome;
}

WriteOutcome DeviceCommands::Write() {
    if (busy_ || !window_.Config().Status.IsOnline()) return {};
    window_.CommitEdits();
    writeOptions_->Prepare(window_.Config().Limits.MaxGroups);
    writeOptions_->exec();
    const WriteOptions options = writeOptions_->Options();
    if (!options.AnyChosen()) return {};
    SetBusy(true);
    const WriteOutcome outcome = WriteConfiguration(window_.Config(), options, Exchange(), host_);
    SetBusy(false);
    return outcome;
}

void DeviceCommands::Reset() {
    if (busy_ || !window_.Config().Status.IsOnline()) return;
    window_.CommitEdits();
    SetBusy(true);
    ResetPanel(window_.Config(), Exchange(), host_);
    SetBusy(false);
}

void DeviceCommands::ChangeAddress() {
    if (busy_ || addressChange_) return;
    window_.CommitEdits();
    // Modal, but shown without a nested loop: it closes itself and is gone.
    auto* dialog = new frmAddressChange(window_, Exchange(), host_, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &frmAddressChange::wentOffline, this, &DeviceCommands::wentOffline);
    addressChange_ = dialog;
    dialog->show();
}

}  // namespace kvtk
