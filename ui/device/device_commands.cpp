#include "ui/device/device_commands.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

#include "model/panel_exchange.h"
#include "model/products.h"
#include "transfer/operations/reset_panel.h"
#include "ui/device/frmAddressChange.h"
#include "ui/device/frmWriteOptions.h"
#include "ui/files/file_commands.h"
#include "ui/files/file_prompts.h"
#include "ui/main/edit_commands.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

// Stands in while no exchange is attached: every command reads as cancelled,
// so an operation ends at once without taking a value.
class NoExchange : public PanelExchange {
protected:
    std::string DoExchange(int, const std::string&, const std::string&, FailureStyle,
                           int) override {
        return "";
    }
};

QAction* AddCommand(QMenu& menu, const char* caption, const char* name) {
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// Registers the user skipped on Ignore keep the values shown before the
// read, so the window no longer shows the panel as it is.
std::string SkippedRegistersText(const std::vector<std::string>& skipped) {
    constexpr size_t kNamed = 10;
    std::string names;
    for (size_t i = 0; i < skipped.size() && i < kNamed; ++i)
        names += (i == 0 ? "" : ", ") + skipped[i];
    if (skipped.size() > kNamed)
        names += " and " + std::to_string(skipped.size() - kNamed) + " more";
    return "The read skipped " + std::to_string(skipped.size()) +
           (skipped.size() == 1 ? " register" : " registers") +
           " that gave no valid reply: " + names +
           ". They still show the values they had before the read, not the device's.";
}

constexpr const char* kMayStillBeWriteEnabled =
    "The write was stopped and nothing was saved, but the device did not confirm \"Write "
    "Disable\": it may still be write-enabled.";

}  // namespace

int SetAllTypeRuledOut(const ReadOutcome& outcome, const ProductIdentity& identity) {
    if (!outcome.ExtendedTypeRead) return 0;
    const double firmware = VersionValue(identity.Version);
    if (firmware < 2.05) return kLinkedOn;
    return firmware < 4.0 ? kStateChange : 0;
}

DeviceCommands::DeviceCommands(MainWindowAccess& window, QMenu& deviceMenu)
    : QObject(&window.Widget()),
      window_(window),
      host_(window),
      commissioning_(window, host_),
      noExchange_(std::make_unique<NoExchange>()),
      writeOptions_(new frmWriteOptions(window.SpinTicker(), window.GetBeeper(), &window.Widget())),
      select_(AddCommand(deviceMenu, "&Select...", "mnuDeviceSelect")),
      read_(AddCommand(deviceMenu, "&Read", "mnuDeviceRead")),
      write_(AddCommand(deviceMenu, "&Write...", "mnuDeviceWrite")),
      reset_(AddCommand(deviceMenu, "R&eset", "mnuDeviceReset")),
      compare_(AddCommand(deviceMenu, "&Compare With File...", "mnuDeviceCompare")),
      site_(AddCommand(deviceMenu, "S&ite...", "mnuDeviceSite")) {
    connect(site_, &QAction::triggered, this, &DeviceCommands::siteRequested);
    connect(select_, &QAction::triggered, this, &DeviceCommands::selectRequested);
    connect(read_, &QAction::triggered, this, [this] { Read(); });
    connect(write_, &QAction::triggered, this, [this] { Write(); });
    connect(reset_, &QAction::triggered, this, &DeviceCommands::Reset);
    connect(compare_, &QAction::triggered, this, &DeviceCommands::CompareWithFile);
    FollowConnection(window_.Config().Status.IsOnline());
    window_.Widget().installEventFilter(this);
}

DeviceCommands::~DeviceCommands() = default;

PanelExchange& DeviceCommands::Exchange() {
    return exchange_ ? *exchange_ : *noExchange_;
}

void DeviceCommands::FollowConnection(bool online) {
    read_->setEnabled(online);
    write_->setEnabled(online);
    reset_->setEnabled(online);
    compare_->setEnabled(online);
}

void DeviceCommands::SetBusy(bool busy) {
    busy_ = busy;
    // Menu commands of every kind wait until the operation has ended; the
    // write lets window events run between registers.
    window_.SetMenusEnabled(!busy);
    emit busyChanged(busy);
}

bool DeviceCommands::eventFilter(QObject* watched, QEvent* event) {
    if (busy_ && watched == &window_.Widget() && event->type() == QEvent::Close) {
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
    window_.Files().ForgetDataProduct();  // the panel's own values now

    window_.ShowConfiguration();
    if (const int type = SetAllTypeRuledOut(outcome, window_.Config().Identity))
        window_.SetSetAllTypeEnabled(type, false);
    window_.ShowFirstInputs();
    SetBusy(false);
    if (!outcome.Skipped.empty()) host_.ShowMessage(SkippedRegistersText(outcome.Skipped));
    return outcome;
}

WriteOutcome DeviceCommands::Write() {
    if (busy_ || !window_.Config().Status.IsOnline()) return {};
    window_.CommitEdits();
    if (!WriteForAnotherProductChosen()) return {};
    writeOptions_->Prepare(window_.Config().Limits.MaxGroups);
    writeOptions_->exec();
    const WriteOptions options = writeOptions_->Options();
    if (!options.AnyChosen()) return {};
    const WriteSafety safety = writeOptions_->Safety();
    SetBusy(true);
    CommissionedWriteRequest request;
    request.Options = options;
    request.Backup = safety.Backup;
    if (safety.Backup) request.BackupTo = commissioning_.BackupTo("Backup before write");
    request.Verify = safety.Verify;
    request.AcceptBackup = [this](const BackupOutcome& backup) {
        return commissioning_.AcceptBackup(backup);
    };
    request.ConfirmDifferences = [this, &options](const std::vector<ConfigDifference>& list) {
        return commissioning_.ConfirmChanges(list, options.ChangesOnly);
    };
    const CommissionedWriteOutcome written =
        CommissionedWrite(window_.Config(), request, Exchange(), host_);
    commissioning_.ShowCheck(written);
    const WriteOutcome& outcome = written.Write;
    SetBusy(false);
    if (outcome.Result == WriteResult::Cancelled && !outcome.WritingDisabled)
        host_.ShowMessage(kMayStillBeWriteEnabled);
    return outcome;
}

bool DeviceCommands::WriteForAnotherProductChosen() {
    const Configuration& config = window_.Config();
    const auto& loadedFor = window_.Files().DataProduct();
    if (!loadedFor || SameProductForWrite(loadedFor->Model, config.Identity.Model)) return true;
    const QString text =
        QStringLiteral(
            "The data in memory were loaded for an %1; the device at address %2 is an %3.\n\n"
            "Write them to this device anyway?")
            .arg(ToQString(StatusText(*loadedFor)), ToQString(config.Panel.Address),
                 ToQString(StatusText(config.Identity)));
    return window_.Files().Prompts().Ask({QStringLiteral("Different product"), text,
                                          QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                                          QMessageBox::No}) == QMessageBox::Yes;
}

void DeviceCommands::CompareWithFile() {
    if (busy_ || !window_.Config().Status.IsOnline()) return;
    window_.CommitEdits();
    SetBusy(true);
    commissioning_.CompareWithFile(Exchange());
    SetBusy(false);
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
    auto* dialog = new frmAddressChange(window_, Exchange(), host_, &window_.Widget());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &frmAddressChange::wentOffline, this, &DeviceCommands::wentOffline);
    dialog->SetBeforeChange([this] {
        return !writeOptions_->Safety().Backup ||
               commissioning_.BackUpBeforeChange(Exchange(), "Backup before address change");
    });
    addressChange_ = dialog;
    dialog->show();
}

}  // namespace kvtk
