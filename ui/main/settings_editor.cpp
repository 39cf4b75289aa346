#include "ui/main/settings_editor.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/widgets/hint_line.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/printable_text_field.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/time_field.h"

namespace kvtk {
namespace {

constexpr const char* kNoProduct = "?\?\?-?\?\?\?";  // shown until a product is chosen

QLabel* Caption(const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text);
    if (buddy) label->setBuddy(buddy);
    return label;
}

// A label that shows a value: its text is what assistive tools read.
QLabel* ValueLabel(const QString& text = {}) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

void FillList(QComboBox* box, const std::vector<std::string>& entries) {
    const QSignalBlocker block(box);
    box->clear();
    for (const auto& entry : entries) box->addItem(ToQString(entry));
}

// Selects `text` in a list without storing anything back.
void SelectText(QComboBox* box, const std::string& text) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(box->findText(ToQString(text)));
}

}  // namespace

PanelSettingsEditor::PanelSettingsEditor(Configuration& config, const Beeper& beeper,
                                         SpinTick& tick, HintLine& hints, QWidget* parent)
    : QWidget(parent), config_(config), beeper_(beeper), tick_(tick) {
    txtDeviceName_ = new QLineEdit;
    KeepPrintablePanelText(*txtDeviceName_, beeper_);
    txtDeviceName_->setObjectName(QStringLiteral("txtDeviceName"));
    txtDeviceName_->setAccessibleName(QStringLiteral("Device name"));
    txtDeviceName_->setPlaceholderText(QStringLiteral("Device name"));
    connect(txtDeviceName_, &QLineEdit::textChanged, this, [this] { StoreDeviceName(); });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(txtDeviceName_, 0, 0, 1, 5);
    grid->addWidget(BuildCounts(), 1, 0);
    grid->addWidget(BuildFlashDurations(), 1, 1);
    grid->addWidget(BuildRelays(), 1, 2);
    grid->addWidget(BuildTimerDurations(), 1, 3);
    grid->addWidget(BuildStatus(), 1, 4);
    grid->setColumnStretch(4, 1);

    RegisterHints(hints);
    ShowConfiguration();
}

QWidget* PanelSettingsEditor::BuildCounts() {
    auto* frame = new QGroupBox;
    frame->setAccessibleName(QStringLiteral("Counts"));
    fraCounts_ = frame;
    auto minInputs = [this] { return int{config_.Limits.MinInputs}; };
    auto maxInputs = [this] { return int{config_.Limits.MaxInputs}; };
    auto minRelays = [this] { return int{config_.Limits.MinRelays}; };
    auto maxRelays = [this] { return int{config_.Limits.MaxRelays}; };

    txtNumInputs_ = new NumberField(minInputs, maxInputs, {}, beeper_);
    txtNumInputs_->setObjectName(QStringLiteral("txtNumInputs"));
    txtNumInputs_->setAccessibleName(QStringLiteral("Inputs"));
    spnNumInputs_ = new SpinButtons(txtNumInputs_, minInputs, maxInputs, tick_, beeper_,
                                    QStringLiteral("Inputs"));
    lblInputRange_ = ValueLabel(QStringLiteral("1..120"));

    txtNumRelays_ =
        new NumberField(minRelays, maxRelays, {.Minimum = false, .Maximum = true}, beeper_);
    txtNumRelays_->setObjectName(QStringLiteral("txtNumRelays"));
    txtNumRelays_->setAccessibleName(QStringLiteral("Relays"));
    spnNumRelays_ = new SpinButtons(txtNumRelays_, minRelays, maxRelays, tick_, beeper_,
                                    QStringLiteral("Relays"));
    lblRelayRange_ = ValueLabel(QStringLiteral("1..60"));

    txtAddress_ = new QLineEdit;
    txtAddress_->setObjectName(QStringLiteral("txtAddress"));
    txtAddress_->setAccessibleName(QStringLiteral("Address"));
    // The address changes through the address-change and connect dialogs.
    txtAddress_->setReadOnly(true);
    txtAddress_->setMaximumWidth(txtNumInputs_->maximumWidth());
    txtAddress_->installEventFilter(this);
    connect(txtAddress_, &QLineEdit::textChanged, this, [this](const QString& text) {
        config_.Panel.Address = ToCoreText(text);
        // The file writer takes the name from the address table, so the
        // name shown moves with the address.
        RecordNameAtAddress();
        lblAddress_->setText(text);
        emit addressChanged(text);
    });

    // The menus own Alt+F, E, D, I, G, O and A; the captions here take
    // other letters, so a menu opens at the first press.
    auto* grid = new QGridLayout(frame);
    grid->addWidget(Caption(QStringLiteral("I&nputs"), txtNumInputs_), 0, 0);
    grid->addWidget(txtNumInputs_, 0, 1);
    grid->addWidget(spnNumInputs_, 0, 2);
    grid->addWidget(lblInputRange_, 0, 3);
    grid->addWidget(Caption(QStringLiteral("&Relays"), txtNumRelays_), 1, 0);
    grid->addWidget(txtNumRelays_, 1, 1);
    grid->addWidget(spnNumRelays_, 1, 2);
    grid->addWidget(lblRelayRange_, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Addre&ss"), txtAddress_), 2, 0);
    grid->addWidget(txtAddress_, 2, 1);
    grid->setRowStretch(3, 1);

    connect(txtNumInputs_, &QLineEdit::textChanged, this,
            [this](const QString& text) { config_.Panel.NumInputs = ToCoreText(text); });
    connect(txtNumRelays_, &QLineEdit::textChanged, this,
            [this](const QString& text) { config_.Panel.NumRelays = ToCoreText(text); });
    connect(txtNumInputs_, &NumberField::leaveChecked, this, &PanelSettingsEditor::inputCountLeft);
    return frame;
}

QGroupBox* PanelSettingsEditor::BuildFlashDurations() {
    fraFlash_ = new QGroupBox(QStringLiteral("Flash Durations"));
    cmbFlashOffTime_ = new QComboBox;
    cmbFlashOffTime_->setObjectName(QStringLiteral("cmbFlashOffTime"));
    cmbFlashOffTime_->setAccessibleName(QStringLiteral("Flash Off Time"));
    FillList(cmbFlashOffTime_, FlashOffTimeList());
    txtOnTimeAfterFlash_ = new TimeField(kOnTimeAfterFlashLimits, beeper_);
    txtOnTimeAfterFlash_->setObjectName(QStringLiteral("txtOnTimeAfterFlash"));
    txtOnTimeAfterFlash_->setAccessibleName(QStringLiteral("On Time After Flash"));

    auto* grid = new QGridLayout(fraFlash_);
    grid->addWidget(Caption(QStringLiteral("Flas&h Off Time"), cmbFlashOffTime_), 0, 0);
    grid->addWidget(cmbFlashOffTime_, 0, 1);
    grid->addWidget(Caption(QStringLiteral("secs")), 0, 2);
    grid->addWidget(Caption(QStringLiteral("On &Time After Flash"), txtOnTimeAfterFlash_), 1, 0);
    grid->addWidget(txtOnTimeAfterFlash_, 1, 1);
    grid->addWidget(Caption(QStringLiteral("mm:ss")), 1, 2);
    grid->addWidget(Caption(QStringLiteral("00:10 to 60:00")), 2, 1, 1, 2);
    grid->setRowStretch(3, 1);

    connect(cmbFlashOffTime_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) config_.Panel.FlashOffTime = ToCoreText(cmbFlashOffTime_->itemText(index));
    });
    connect(txtOnTimeAfterFlash_, &TimeField::timeChanged, this,
            [this](const QString& time) { config_.Panel.OnTimeAfterFlash = ToCoreText(time); });
    return fraFlash_;
}

QGroupBox* PanelSettingsEditor::BuildRelays() {
    fraRelays_ = new QGroupBox(QStringLiteral("Relays"));
    cmbRelayEnergize_ = new QComboBox;
    cmbRelayEnergize_->setObjectName(QStringLiteral("cmbRelayEnergize"));
    cmbRelayEnergize_->setAccessibleName(QStringLiteral("Energize Duration"));
    cmbRelayRefresh_ = new QComboBox;
    cmbRelayRefresh_->setObjectName(QStringLiteral("cmbRelayRefresh"));
    cmbRelayRefresh_->setAccessibleName(QStringLiteral("Refresh Period"));
    FillList(cmbRelayRefresh_, RelayRefreshList());

    auto* grid = new QGridLayout(fraRelays_);
    grid->addWidget(Caption(QStringLiteral("Energize D&uration"), cmbRelayEnergize_), 0, 0);
    grid->addWidget(cmbRelayEnergize_, 0, 1);
    grid->addWidget(Caption(QStringLiteral("secs")), 0, 2);
    grid->addWidget(Caption(QStringLiteral("Refresh &Period"), cmbRelayRefresh_), 1, 0);
    grid->addWidget(cmbRelayRefresh_, 1, 1);
    grid->addWidget(Caption(QStringLiteral("mins")), 1, 2);
    grid->setRowStretch(2, 1);

    connect(cmbRelayEnergize_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            config_.Panel.RelayEnergize = ToCoreText(cmbRelayEnergize_->itemText(index));
    });
    connect(cmbRelayRefresh_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) config_.Panel.RelayRefresh = ToCoreText(cmbRelayRefresh_->itemText(index));
    });
    return fraRelays_;
}

QGroupBox* PanelSettingsEditor::BuildTimerDurations() {
    fraTimers_ = new QGroupBox(QStringLiteral("Timer Durations"));
    auto* grid = new QGridLayout(fraTimers_);
    for (int t = 1; t <= kTimerCount; ++t) {
        auto* field = new TimeField(kTimerLimits, beeper_);
        const QString name = QStringLiteral("Timer %1").arg(t);
        field->setObjectName(QStringLiteral("txtTimerDuration%1").arg(t));
        field->setAccessibleName(name);
        txtTimerDuration_[t] = field;
        grid->addWidget(Caption(QStringLiteral("Timer &%1").arg(t), field), t - 1, 0);
        grid->addWidget(field, t - 1, 1);
        connect(field, &TimeField::timeChanged, this, [this, t](const QString& time) {
            config_.Panel.TimerDuration[t] = ToCoreText(time);
        });
    }
    grid->addWidget(Caption(QStringLiteral("hh:mm")), 0, 2);
    grid->addWidget(Caption(QStringLiteral("00:00 to 18:00")), 3, 1, 1, 2);
    grid->setRowStretch(4, 1);
    return fraTimers_;
}

QGroupBox* PanelSettingsEditor::BuildStatus() {
    fraStatus_ = new QGroupBox(QStringLiteral("Communications and Device Status"));
    fraStatus_->setObjectName(QStringLiteral("fraStatus"));
    lblStatus_ = ValueLabel();
    lblPort_ = ValueLabel();
    lblAddress_ = ValueLabel();
    lblType_ = ValueLabel(QString::fromLatin1(kNoProduct));
    lblVersion_ = ValueLabel();
    lblEprom_ = ValueLabel();
    lblEeprom_ = ValueLabel();
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblPort_->setObjectName(QStringLiteral("lblPort"));
    lblAddress_->setObjectName(QStringLiteral("lblAddress"));
    lblType_->setObjectName(QStringLiteral("lblType"));
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblEprom_->setObjectName(QStringLiteral("lblEprom"));
    lblEeprom_->setObjectName(QStringLiteral("lblEeprom"));

    auto* grid = new QGridLayout(fraStatus_);
    const std::pair<const char*, QLabel*> rows[] = {
        {"Status:", lblStatus_}, {"Port:", lblPort_},       {"Address:", lblAddress_},
        {"Type:", lblType_},     {"Version:", lblVersion_}, {"EPROM:", lblEprom_},
        {"EEPROM:", lblEeprom_}};
    // Two columns of captions: connection on the left, device on the right.
    int index = 0;
    for (const auto& [caption, value] : rows) {
        const int column = index < 3 ? 0 : 2;
        const int row = index < 3 ? index : index - 3;
        auto* label = Caption(QString::fromLatin1(caption));
        grid->addWidget(label, row, column);
        grid->addWidget(value, row, column + 1);
        label->installEventFilter(this);
        value->installEventFilter(this);
        ++index;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    fraStatus_->installEventFilter(this);
    return fraStatus_;
}

void PanelSettingsEditor::RegisterHints(HintLine& hints) {
    hints.Register(fraCounts_,
                   QStringLiteral("Set total number of inputs and relays for this device."));
    hints.Register(
        fraFlash_,
        QStringLiteral("Set Warning Flash durations and On Time After Flash for this device."));
    hints.Register(fraRelays_, QStringLiteral("WARNING: Modifying these values may result in "
                                              "erratic behavior and/or circuit damage!"));
    hints.Register(fraTimers_, QStringLiteral("Set duration for the three auto-off timers.  Timers "
                                              "are assigned to inputs (see below)."));
    hints.Register(
        txtAddress_,
        QStringLiteral("Double click here to change the address of the current device."));
    hints.Register(txtDeviceName_,
                   QStringLiteral("This is the name of the current device.  You can edit this."));
    hints.Register(fraStatus_, [this] { return StatusHint(); });
    hints.Register(lblPort_, [this] { return PortHint(); });
    hints.Register(lblEprom_,
                   [this] { return MemoryHint(config_.Status.Eprom, QStringLiteral("EPROM")); });
    hints.Register(lblEeprom_,
                   [this] { return MemoryHint(config_.Status.Eeprom, QStringLiteral("EEPROM")); });
}

QString PanelSettingsEditor::StatusHint() const {
    const QString start =
        config_.Status.IsOnline() ? QStringLiteral("Connected to and p") : QStringLiteral("P");
    return start + QStringLiteral("rogramming for an ") + lblType_->text() + QStringLiteral(" V") +
           lblVersion_->text() + QStringLiteral(" at address ") + lblAddress_->text() +
           QStringLiteral(".");
}

QString PanelSettingsEditor::PortHint() const {
    const std::string port = PortText(config_.Status.Connection);
    if (port == "N/A") return QStringLiteral("You are not connected to a communications port.");
    if (port.rfind("COM", 0) == 0)
        return QStringLiteral("You are connected to communications port ") + ToQString(port) +
               QStringLiteral(".");
    return QStringLiteral("You are connected to ") + ToQString(port) + QStringLiteral(".");
}

QString PanelSettingsEditor::MemoryHint(const std::string& result, const QString& memory) const {
    if (!config_.Status.IsOnline())
        return QStringLiteral(
            "You are not connected to a device, so this value is not applicable.");
    if (result == "OK")
        return QStringLiteral("The ") + memory +
               QStringLiteral(" on the current device checks out OK.");
    return QStringLiteral("There is a problem with the ") + memory +
           QStringLiteral(" on the current device.");
}

void PanelSettingsEditor::StoreDeviceName() {
    config_.Panel.DeviceName = ToCoreText(txtDeviceName_->text());
    RecordNameAtAddress();
}

void PanelSettingsEditor::RecordNameAtAddress() {
    const int32_t address = IntegerValue(config_.Panel.Address);
    if (address >= 0 && address < kAddressCount)
        config_.AddressTable[static_cast<std::size_t>(address)].Name =
            Trim(config_.Panel.DeviceName);
}

void PanelSettingsEditor::ShowConfiguration() {
    const PanelConfig panel = config_.Panel;  // the fields write back while being set
    txtAddress_->setText(ToQString(panel.Address));
    txtDeviceName_->setText(ToQString(panel.DeviceName));
    txtNumInputs_->setText(ToQString(panel.NumInputs));
    txtNumRelays_->setText(ToQString(panel.NumRelays));
    SelectText(cmbFlashOffTime_, panel.FlashOffTime);
    txtOnTimeAfterFlash_->SetTime(panel.OnTimeAfterFlash);
    FillList(cmbRelayEnergize_, panel.EnergizeList);
    SelectText(cmbRelayEnergize_, panel.RelayEnergize);
    SelectText(cmbRelayRefresh_, panel.RelayRefresh);
    for (int t = 1; t <= kTimerCount; ++t) txtTimerDuration_[t]->SetTime(panel.TimerDuration[t]);
    ShowStatus();
}

void PanelSettingsEditor::ApplyCapabilities(const CapabilityView& view) {
    lblInputRange_->setText(ToQString(view.InputRange));
    lblRelayRange_->setText(ToQString(view.RelayRange));
    txtNumInputs_->setText(ToQString(config_.Panel.NumInputs));
    txtNumRelays_->setText(ToQString(config_.Panel.NumRelays));
    FillList(cmbRelayEnergize_, config_.Panel.EnergizeList);
    SelectText(cmbRelayEnergize_, config_.Panel.RelayEnergize);
}

void PanelSettingsEditor::ShowStatus() {
    const DeviceStatus& status = config_.Status;
    lblStatus_->setText(ToQString(ConnectionText(status.Connection)));
    lblPort_->setText(ToQString(PortText(status.Connection)));
    lblAddress_->setText(txtAddress_->text());
    lblType_->setText(config_.Identity.Model.empty() ? QString::fromLatin1(kNoProduct)
                                                     : ToQString(config_.Identity.Model));
    lblVersion_->setText(ToQString(config_.Identity.Version));
    lblEprom_->setText(ToQString(status.Eprom));
    lblEeprom_->setText(ToQString(status.Eeprom));
}

void PanelSettingsEditor::CommitEdits() {
    QWidget* focused = focusWidget();
    if (focused == txtNumInputs_ || focused == txtNumRelays_)
        static_cast<NumberField*>(focused)->RunLeaveCheck();
    else if (auto* time = qobject_cast<TimeField*>(focused))
        time->Complete();
}

bool PanelSettingsEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtAddress_) {
            emit addressDoubleClicked();
            return true;
        }
        emit statusDoubleClicked();  // the status frame or one of its captions
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kvtk
