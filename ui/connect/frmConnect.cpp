#include "ui/connect/frmConnect.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "comm/panel_line.h"
#include "model/products.h"
#include "model/prompter.h"
#include "transfer/live/address_scan.h"
#include "transfer/operations/time_left.h"
#include "ui/connect/found_panels_list.h"
#include "ui/main/frmAbout.h"
#include "ui/widgets/address_field.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/tone_colours.h"

namespace kvtk {
namespace {

const char* const kScanCaption = "&Scan Addresses";
const char* const kStopCaption = "&Stop Scanning";
const char* const kProductCodeTitle = "Select Product Code";
const char* const kProductCodeText =
    "This function is intended for use by factory personnel only.\n\nImproper usage may render "
    "the attached device unusable.\n\nClick 'Cancel' to exit.";
const char* const kProductCodePassword = "FactoryMode";

QLabel* StatusLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(420);
    label->setWordWrap(true);
    return label;
}

// The kernel's short name of a port ("ttyUSB0", "pts/3"), which fits beside
// its choice where a /dev/serial/by-id name would not.
QString ShortDeviceName(const QString& device) {
    const QString real = RealDevicePath(device);
    if (real.startsWith(QLatin1String("/dev/"))) return real.mid(5);
    return QFileInfo(real).fileName();
}

}  // namespace

frmConnect::frmConnect(frmMain& main, PanelLine& line, QWidget* parent)
    : QDialog(parent), main_(main), line_(line) {
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("Select Device"));
    textPrompt_ = [this](const QString& title, const QString& text) -> std::optional<QString> {
        bool ok = false;
        const QString entered =
            QInputDialog::getText(this, title, text, QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return entered;
    };
    BuildWidgets();
    RegisterHints();
    connect(&line_, &PanelLine::portListChanged, this, &frmConnect::EnablePresentPorts);

    RelayConnection& relay = line_.Relay();
    connect(&relay, &RelayConnection::statusChanged, this,
            [this](const QString& status) { SetNewStatus(status, false); });
    connect(&relay, &RelayConnection::loginFinished, this, &frmConnect::OnLoginFinished);
    connect(&relay, &RelayConnection::serverClosed, this, &frmConnect::OnServerClosed);
    connect(&relay, &RelayConnection::socketError, this,
            [this](int, const QString&, const QString& message) { OnSocketError(message); });
    Load();
}

frmConnect::~frmConnect() = default;

QLineEdit* frmConnect::txtAddress() const {
    return txtAddress_;
}

void frmConnect::BuildWidgets() {
    // The connection choice.
    fraPort_ = new QGroupBox(QStringLiteral("Connection"));
    fraPort_->setObjectName(QStringLiteral("fraPort"));
    choices_ = new QButtonGroup(this);
    auto* portLayout = new QGridLayout(fraPort_);
    const std::array<const char*, 6> captions{"O&ffline", "COM&1", "COM&2",
                                              "COM&3",    "COM&4", "Internet"};
    for (int n = 0; n < 6; ++n) {
        auto* option = new QRadioButton(QString::fromLatin1(captions[static_cast<size_t>(n)]));
        option->setObjectName(QStringLiteral("optCommPort_%1").arg(n));
        option->setAccessibleName(option->text().remove(QLatin1Char('&')));
        choices_->addButton(option, n);
        portLayout->addWidget(option, n, 0);
        optCommPort_[static_cast<size_t>(n)] = option;
        if (n == kOffline || n == kInternet) continue;
        auto* name = new QLabel;
        name->setObjectName(QStringLiteral("lblPortName_%1").arg(n));
        name->setTextFormat(Qt::PlainText);
        name->setEnabled(false);  // a quiet caption beside the choice
        portLayout->addWidget(name, n, 1);
        lblPortName_[static_cast<size_t>(n)] = name;
    }
    portLayout->setRowStretch(6, 1);
    connect(choices_, &QButtonGroup::idToggled, this, [this](int n, bool checked) {
        if (checked) ChooseConnection(n);
    });

    // The address with its spin button; it moves to whichever panel is shown.
    addressRow_ = new QWidget;
    txtAddress_ = new PanelAddressField([this] { return AddressMinimum(); }, main_.GetBeeper());
    txtAddress_->setObjectName(QStringLiteral("txtAddress"));
    txtAddress_->setAccessibleName(QStringLiteral("Address"));
    txtAddress_->setMaximumWidth(70);
    spnAddress_ = new SpinButtons(
        txtAddress_, [this] { return AddressMinimum(); },
        [] { return PanelAddressField::kMaximum; }, main_.SpinTicker(), main_.GetBeeper(),
        QStringLiteral("Address"));
    spnAddress_->setObjectName(QStringLiteral("spnAddress"));
    auto* addressLabel = new QLabel(QStringLiteral("&Address"));
    addressLabel->setBuddy(txtAddress_);
    auto* addressLayout = new QHBoxLayout(addressRow_);
    addressLayout->setContentsMargins(0, 0, 0, 0);
    addressLayout->addWidget(addressLabel);
    addressLayout->addWidget(txtAddress_);
    addressLayout->addWidget(spnAddress_);
    addressLayout->addStretch(1);
    connect(txtAddress_, &QLineEdit::textChanged, this, &frmConnect::RefreshAddressStatus);
    connect(txtAddress_, &PanelAddressField::productCodeKey, this, &frmConnect::AskProductCode);

    // Offline: address and product.
    fraOffline_ = new QGroupBox(QStringLiteral("Program for an offline device"));
    fraOffline_->setObjectName(QStringLiteral("fraOffline"));
    offlineLayout_ = new QVBoxLayout(fraOffline_);
    cmbProductType_ = new QComboBox;
    cmbProductType_->setObjectName(QStringLiteral("cmbProductType"));
    auto* productLabel = new QLabel(QStringLiteral("&Product"));
    productLabel->setBuddy(cmbProductType_);
    cmbProductType_->setAccessibleName(QStringLiteral("Product"));
    chkUpdate_ = new QCheckBox(QStringLiteral("&Update to the product shown in the main window"));
    chkUpdate_->setObjectName(QStringLiteral("chkUpdate"));
    offlineLayout_->addWidget(productLabel);
    offlineLayout_->addWidget(cmbProductType_);
    offlineLayout_->addWidget(chkUpdate_);
    offlineLayout_->addStretch(1);
    connect(cmbProductType_, &QComboBox::currentIndexChanged, this, [this] {
        if (ChoiceIndex() == kOffline) RefreshAddressStatus();
    });
    connect(chkUpdate_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) return;
        cmbProductType_->setCurrentIndex(SelectCatalogueEntry(main_.Config().Identity));
        chkUpdate_->setChecked(false);
    });

    // Online: read or scan.
    fraOnline_ = new QGroupBox(QStringLiteral("Program an online device"));
    fraOnline_->setObjectName(QStringLiteral("fraOnline"));
    onlineLayout_ = new QVBoxLayout(fraOnline_);
    cmdRead_ = new QPushButton(QStringLiteral("&Read This Address"));
    cmdRead_->setObjectName(QStringLiteral("cmdRead"));
    cmdScan_ = new QPushButton(QString::fromLatin1(kScanCaption));
    cmdScan_->setObjectName(QStringLiteral("cmdScan"));
    for (QPushButton* button : {cmdRead_, cmdScan_}) button->setAutoDefault(false);
    lblProductType_ = StatusLabel("lblProductType");
    lblProductType_->setMinimumWidth(0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRead_);
    buttons->addWidget(cmdScan_);
    // Short tries first; off, every address gets the full wait and attempts.
    chkQuick_ = new QCheckBox(QStringLiteral("&Quick"));
    chkQuick_->setObjectName(QStringLiteral("chkQuick"));
    buttons->addWidget(chkQuick_);
    buttons->addStretch(1);
    onlineLayout_->addLayout(buttons);
    onlineLayout_->addWidget(new QLabel(QStringLiteral("Device at this address:")));
    onlineLayout_->addWidget(lblProductType_);
    lstFound_ = new FoundPanelsList;
    cmdSite_ = new QPushButton(QStringLiteral("S&ite..."));
    cmdSite_->setObjectName(QStringLiteral("cmdSite"));
    cmdSite_->setAutoDefault(false);
    auto* found = new QHBoxLayout;
    found->addWidget(lstFound_, 1);
    found->addWidget(cmdSite_, 0, Qt::AlignTop);
    onlineLayout_->addLayout(found);
    connect(cmdSite_, &QPushButton::clicked, this, &frmConnect::siteRequested);
    onlineLayout_->addStretch(1);
    connect(lstFound_, &FoundPanelsList::addressPicked, this, [this](int address) {
        if (!scanning_ && !reading_) txtAddress_->setText(QString::number(address));
    });
    connect(cmdRead_, &QPushButton::clicked, this, &frmConnect::ReadThisAddress);
    connect(cmdScan_, &QPushButton::clicked, this, &frmConnect::ScanOrStop);

    // Relay server: host and credentials.
    fraRelay_ = new QGroupBox(QStringLiteral("Connect to a Glintora Server"));
    fraRelay_->setObjectName(QStringLiteral("fraRelay"));
    txtHost_ = new QLineEdit;
    txtHost_->setObjectName(QStringLiteral("txtHost"));
    txtUser_ = new QLineEdit;
    txtUser_->setObjectName(QStringLiteral("txtUser"));
    txtPassword_ = new QLineEdit;
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    cmdConnect_ = new QPushButton(QStringLiteral("Connect"));
    cmdConnect_->setObjectName(QStringLiteral("cmdConnect"));
    cmdConnect_->setAutoDefault(false);
    auto* relayLayout = new QFormLayout(fraRelay_);
    const std::array<std::pair<const char*, QLineEdit*>, 3> relayFields{{
        {"&Host", txtHost_},
        {"U&ser", txtUser_},
        {"Pass&word", txtPassword_},
    }};
    for (const auto& [caption, edit] : relayFields) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(edit);
        edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
        relayLayout->addRow(label, edit);
    }
    relayLayout->addRow(QString(), cmdConnect_);
    connect(cmdConnect_, &QPushButton::clicked, this, &frmConnect::ConnectRelay);

    auto* panels = new QVBoxLayout;
    panels->addWidget(fraOffline_);
    panels->addWidget(fraOnline_);
    panels->addWidget(fraRelay_);

    auto* top = new QHBoxLayout;
    top->addWidget(fraPort_);
    top->addLayout(panels, 1);

    // Status lines, hint line and OK.
    lblCurrentStatus_ = StatusLabel("lblCurrentStatus");
    lblNewStatus_ = StatusLabel("lblNewStatus");
    auto* status = new QFormLayout;
    status->addRow(QStringLiteral("Current status:"), lblCurrentStatus_);
    status->addRow(QStringLiteral("New status:"), lblNewStatus_);
    lblPortAccess_ = new QLabel;
    lblPortAccess_->setObjectName(QStringLiteral("lblPortAccess"));
    lblPortAccess_->setTextFormat(Qt::PlainText);
    lblPortAccess_->setWordWrap(true);
    lblPortAccess_->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the command to copy
    lblPortAccess_->setVisible(false);

    lblInfo_ = new HintLine;
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setFrameShape(QFrame::StyledPanel);
    lblInfo_->setFrameShadow(QFrame::Sunken);
    cmdOK_ = new QPushButton(QStringLiteral("OK"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmConnect::Accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblInfo_, 1);
    bottom->addWidget(cmdOK_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblPortAccess_);
    layout->addLayout(status);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmConnect::RegisterHints() {
    HintLine& hints = *lblInfo_;
    auto address = [this] { return QString::number(Address()); };
    hints.Register(cmdOK_, QStringLiteral("Apply choices made here."));
    hints.Register(cmdScan_, QStringLiteral("Scan all addresses for devices."));
    hints.Register(chkQuick_, QStringLiteral("Scan with short tries: faster, but a panel that "
                                             "answers late can be missed."));
    hints.Register(lstFound_,
                   QStringLiteral("Devices found by the last scan; pick one to use it."));
    hints.Register(cmdRead_, [address] {
        return QStringLiteral("Test address ") + address() + QStringLiteral(" for a device.");
    });
    hints.Register(lblCurrentStatus_,
                   QStringLiteral("This is the current device type, version and address."));
    hints.Register(lblNewStatus_,
                   QStringLiteral("This is the new device type, version and address to be "
                                  "selected."));
    hints.Register(lblProductType_, [address] {
        return QStringLiteral("This is the type and version of the device found at address ") +
               address() + QStringLiteral(".");
    });
    for (QRadioButton* option : optCommPort_)
        hints.Register(option, QStringLiteral("Select Communication Port"));
    hints.Register(fraOffline_,
                   QStringLiteral("Select address and type of device to program data for."));
    hints.Register(fraOnline_,
                   QStringLiteral("Select address and test for a device to program data for."));
    hints.Register(fraPort_, QString());
    hints.Register(lblInfo_, QStringLiteral("This is an informative window."));
}

void frmConnect::Load() {
    cmbProductType_->blockSignals(true);
    cmbProductType_->clear();
    for (const std::string& entry : ProductCatalogue()) cmbProductType_->addItem(ToQString(entry));
    cmbProductType_->setCurrentIndex(kDefaultCataloguePosition);
    cmbProductType_->blockSignals(false);
    for (AddressEntry& record : main_.Config().AddressTable) record.Record(ProbeState::Untested);
    if (txtAddress_->text().isEmpty()) txtAddress_->setText(QStringLiteral("1"));
    if (optCommPort_[kOffline]->isChecked())
        ChooseConnection(kOffline);
    else
        optCommPort_[kOffline]->setChecked(true);
}

void frmConnect::SelectOffline() {
    if (optCommPort_[kOffline]->isChecked())
        ChooseConnection(kOffline);
    else
        optCommPort_[kOffline]->setChecked(true);
}

void frmConnect::RestoreChoice(int n, int address, const QString& portName) {
    EnablePresentPorts();
    // The remembered device wherever it is now; gone, no other port instead.
    if (n > kOffline && n < kInternet && !portName.isEmpty()) n = line_.SlotOfDevice(portName);
    if (n > kOffline && n <= kInternet && optCommPort_[static_cast<size_t>(n)]->isEnabled())
        optCommPort_[static_cast<size_t>(n)]->setChecked(true);
    txtAddress_->setText(
        QString::number(std::clamp(address, AddressMinimum(), PanelAddressField::kMaximum)));
}

QString frmConnect::ChosenPortName() const {
    const int n = ChoiceIndex();
    if (n == kOffline || n == kInternet) return {};
    const PortNames names = line_.SlotNames(n);
    return names.StableName.isEmpty() ? names.Device : names.StableName;
}

void frmConnect::UpdateCatalogueFromMain() {
    chkUpdate_->setChecked(true);
}

int frmConnect::ChoiceIndex() const {
    const int id = choices_->checkedId();
    return id < 0 ? kOffline : id;
}

int frmConnect::Address() const {
    return txtAddress_->Value();
}

int frmConnect::AddressMinimum() const {
    return ChoiceIndex() == kOffline ? 1 : 0;
}

void frmConnect::ChooseConnection(int n) {
    const PanelConnection choice = n == kOffline    ? PanelConnection::Offline()
                                   : n == kInternet ? PanelConnection::Relay()
                                                    : PanelConnection::Serial(n);
    emit connectionChosen(choice);
    if (choice.Via == PanelConnection::Way::Serial && line_.Connection() != choice) {
        // Not present or not openable: back to offline with the ports there are.
        EnablePresentPorts();
        optCommPort_[kOffline]->setChecked(true);
        return;
    }
    const RelayConnection& relay = line_.Relay();
    if (n == kOffline) {
        ShowPanel(fraOffline_);
        RefreshAddressStatus();
    } else if (n == kInternet) {
        cmdOK_->setEnabled(false);
        if (relay.IsEstablished()) {
            SetNewStatus(QStringLiteral("Connection established with ") + relay.HostName() +
                             QStringLiteral("."),
                         false);
            ShowPanel(fraOnline_);
        } else {
            SetNewStatus(QStringLiteral("Fill in parameters required for connection to Glintora"),
                         false);
            ShowPanel(fraRelay_);
        }
    } else {
        ShowPanel(fraOnline_);
        RefreshAddressStatus();
    }
}

void frmConnect::ShowPanel(QGroupBox* panel) {
    shownPanel_ = panel;
    for (QGroupBox* each : {fraOffline_, fraOnline_, fraRelay_}) each->setVisible(each == panel);
    QVBoxLayout* target = panel == fraOffline_  ? offlineLayout_
                          : panel == fraOnline_ ? onlineLayout_
                                                : nullptr;
    if (target == nullptr) return;
    if (target->indexOf(addressRow_) < 0) {
        offlineLayout_->removeWidget(addressRow_);
        onlineLayout_->removeWidget(addressRow_);
        target->insertWidget(0, addressRow_);
    }
    // The minimum differs offline and online.
    if (!txtAddress_->hasFocus() && txtAddress_->text().isEmpty()) txtAddress_->RunLeaveCheck();
    addressRow_->show();
}

void frmConnect::EnablePresentPorts() {
    QStringList refusals;
    for (int n = 1; n <= 4; ++n) {
        QRadioButton* option = optCommPort_[static_cast<size_t>(n)];
        option->setEnabled(line_.Usable(n));
        const PortNames names = line_.SlotNames(n);
        const QString refusal = line_.SlotRefusal(n);
        QString tip = names.Device.isEmpty() ? QStringLiteral("No port") : PortCaption(names);
        if (!names.StableName.isEmpty()) tip += QLatin1Char('\n') + names.StableName;
        if (!refusal.isEmpty()) {
            tip += QLatin1Char('\n') + refusal;
            refusals << refusal;
        }
        option->setToolTip(tip);
        QLabel* name = lblPortName_[static_cast<size_t>(n)];
        name->setText(names.Description.isEmpty() || names.Device.isEmpty()
                          ? ShortDeviceName(names.Device)
                          : names.Description + QStringLiteral(" (") +
                                ShortDeviceName(names.Device) + QLatin1Char(')'));
        name->setToolTip(tip);
    }
    lblPortAccess_->setText(refusals.join(QLatin1Char('\n')));
    lblPortAccess_->setVisible(!refusals.isEmpty());
}

void frmConnect::SetNewStatus(const QString& text, bool alert) {
    lblNewStatus_->setText(text);
    SetAlertTone(*lblNewStatus_, alert);
}

void frmConnect::RefreshAddressStatus() {
    // A running read or scan writes its own lines.
    if (scanning_ || reading_) return;
    const int address = Address();
    if (ChoiceIndex() == kOffline) {
        SetNewStatus(
            ToQString(OfflineNewStatus(ToCoreText(cmbProductType_->currentText()), address)),
            false);
        cmdOK_->setEnabled(true);
        return;
    }
    const AddressEntry& entry =
        main_.Config().AddressTable[static_cast<size_t>(std::clamp(address, 0, 255))];
    lblProductType_->setText(ToQString(AddressStatusText(entry)));
    if (shownPanel_ != fraOnline_) return;  // the relay panel: OK waits for the login
    const AddressView view = ViewOfAddress(entry, address);
    SetNewStatus(ToQString(view.NewStatus), entry.Probe == ProbeState::Garbled);
    cmdOK_->setEnabled(view.OkEnabled);
}

void frmConnect::SetBusyControls(bool busy) {
    // While panels are asked nothing else may start: a second exchange
    // would find the first still running.
    fraPort_->setEnabled(!busy);
    addressRow_->setEnabled(!busy);
    cmdRead_->setEnabled(!busy);
    cmdScan_->setEnabled(!busy || scanning_);
    chkQuick_->setEnabled(!busy);
    if (busy) cmdOK_->setEnabled(false);
}

void frmConnect::ReadThisAddress() {
    if (reading_ || scanning_) return;
    txtAddress_->RunLeaveCheck();
    reading_ = true;
    SetBusyControls(true);
    SetNewStatus(QString::fromLatin1(kReadingPleaseWait), true);
    ReadAddress(main_.Config(), line_.Exchange(), Address());
    reading_ = false;
    SetBusyControls(false);
    RefreshAddressStatus();
}

void frmConnect::ScanOrStop() {
    if (scanning_) {
        // Ends the running scan before its next address.
        scanning_ = false;
        cmdScan_->setText(QString::fromLatin1(kScanCaption));
        return;
    }
    if (reading_) return;
    scanning_ = true;
    lstFound_->Fill({}, main_.Config());
    cmdScan_->setText(QString::fromLatin1(kStopCaption));
    SetBusyControls(true);

    ScanCallbacks callbacks;
    callbacks.StopRequested = [this] { return !scanning_; };
    callbacks.BeforeAddress = [this](const ScanStep& step) {
        SetNewStatus(ToQString(step.NewStatus), true);
    };
    // Step n of N and the time left in the main window's status line.
    TimeLeftEstimate timeLeft;
    callbacks.AfterAddress = [this, &timeLeft](const ScanStep& step) {
        timeLeft.Progress(step.Address + 1, kAddressCount);
        main_.ShowOperationProgress("Scanning: " + timeLeft.Text(), timeLeft.Percent());
        txtAddress_->setText(QString::number(step.Address));
        lblProductType_->setText(ToQString(AddressStatusText(step.Entry)));
    };
    const ScanResult result =
        ScanAddresses(main_.Config(), line_.Exchange(), {}, callbacks,
                      chkQuick_->isChecked() ? ScanPace::Quick : ScanPace::Plain);

    scanning_ = false;
    main_.ShowOperationProgress("", 0);
    cmdScan_->setText(QString::fromLatin1(kScanCaption));
    SetBusyControls(false);
    txtAddress_->blockSignals(true);
    txtAddress_->setText(QString::number(result.Address));
    txtAddress_->blockSignals(false);
    lblProductType_->setText(ToQString(
        AddressStatusText(main_.Config().AddressTable[static_cast<size_t>(result.Address)])));
    SetNewStatus(ToQString(result.View.NewStatus), !result.Garbled.empty() && result.Found.empty());
    cmdOK_->setEnabled(result.View.OkEnabled && ChoiceIndex() != kOffline);
    lstFound_->Fill(result.Found, main_.Config());
    if (result.Beep) main_.GetBeeper().Beep();
}

void frmConnect::ConnectRelay() {
    line_.Relay().Connect(txtHost_->text().trimmed(), ToCoreText(txtUser_->text()),
                          ToCoreText(txtPassword_->text()));
}

void frmConnect::OnLoginFinished(bool authenticated) {
    if (!authenticated || ChoiceIndex() != kInternet) return;
    ShowPanel(fraOnline_);
    const int address = std::clamp(Address(), 0, 255);
    lblProductType_->setText(
        ToQString(AddressStatusText(main_.Config().AddressTable[static_cast<size_t>(address)])));
    cmdOK_->setEnabled(false);
}

void frmConnect::OnServerClosed() {
    if (line_.Connection().Via != PanelConnection::Way::Relay) return;
    cmdOK_->setEnabled(false);
    ShowPanel(fraRelay_);
}

void frmConnect::OnSocketError(const QString& message) {
    cmdOK_->setEnabled(false);
    line_.Prompts().Ask(
        {kProductName, ToCoreText(message), MessageButtons::Ok, MessageIcon::Information});
    optCommPort_[kOffline]->setChecked(true);
    ShowPanel(fraOffline_);
    main_.SetConnection(PanelConnection::Offline());
}

ConnectChoice frmConnect::Choice() const {
    ConnectChoice choice;
    const int n = ChoiceIndex();
    choice.Connection = n == kOffline    ? PanelConnection::Offline()
                        : n == kInternet ? PanelConnection::Relay()
                                         : PanelConnection::Serial(n);
    choice.Address = Address();
    if (!choice.Connection.IsOnline()) {
        // The catalogue entry's text is the user's choice: it is read as one.
        choice.Product = IdentityFromText(ToCoreText(cmbProductType_->currentText()));
    } else {
        choice.Product = main_.Config()
                             .AddressTable[static_cast<size_t>(std::clamp(choice.Address, 0, 255))]
                             .Identity;
    }
    return choice;
}

void frmConnect::Accept() {
    if (!cmdOK_->isEnabled() || scanning_ || reading_) return;
    txtAddress_->RunLeaveCheck();
    const ConnectChoice choice = Choice();
    accept();  // hides the dialog (and ends a modal showing)
    main_.show();
    main_.ApplyConnectChoice(choice);
    emit choiceAccepted();
}

void frmConnect::AskProductCode() {
    if (ChoiceIndex() == kOffline) return;
    const std::optional<QString> entered =
        textPrompt_(QString::fromLatin1(kProductCodeTitle), QString::fromLatin1(kProductCodeText));
    if (entered && *entered == QString::fromLatin1(kProductCodePassword)) {
        emit productCodeRequested();
        return;
    }
    main_.GetBeeper().Beep();
}

void frmConnect::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EnablePresentPorts();
    if (main_.HasProduct()) {
        const Configuration& config = main_.Config();
        lblCurrentStatus_->setText(ToQString(
            CurrentStatusText(config.Status.IsOnline(), config.Identity, main_.Address())));
        txtAddress_->setText(QString::number(main_.Address()));
    }
    txtAddress_->setFocus(Qt::OtherFocusReason);
    txtAddress_->selectAll();
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmConnect::reject() {
    // The close box and Escape. A running read or scan stops; the exchange
    // in progress is cancelled.
    if (scanning_ || reading_) {
        scanning_ = false;
        line_.Settings().SetCancel(true);
    }
    QDialog::reject();
    if (!main_.isVisible()) emit programEndRequested();
}

}  // namespace kvtk
