#include "ui/comm/frmComm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "comm/panel_line.h"
#include "ui/comm/traffic_pane.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

// Reads a whole number from a settings field; nothing when it is not one.
std::optional<int> FieldNumber(const QLineEdit* field) {
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QLineEdit* NumberEdit(const char* name, int minimum, int maximum) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QIntValidator(minimum, maximum, edit));
    edit->setMaximumWidth(80);
    return edit;
}

QLabel* ValueLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(120);
    return label;
}

}  // namespace

frmComm::frmComm(PanelLine& line, QWidget* parent)
    : QWidget(parent, Qt::Window), line_(line), settings_(line.Settings()) {
    setObjectName(QStringLiteral("frmComm"));
    setWindowTitle(QStringLiteral("Communication Port"));
    BuildWidgets();
    BindSettings();
    BindLine();
}

frmComm::~frmComm() = default;

void frmComm::BuildWidgets() {
    cmbPort_ = new QComboBox;
    cmbPort_->setObjectName(QStringLiteral("cmbPort"));
    lblPortDevice_ = ValueLabel("lblPortDevice");
    auto* portLabel = new QLabel(QStringLiteral("&Port"));
    portLabel->setBuddy(cmbPort_);
    cmbPort_->setAccessibleName(QStringLiteral("Port"));

    txtAddress_ = NumberEdit("txtAddress", 0, 65535);
    txtAddress_->setAccessibleName(QStringLiteral("Address"));
    auto* addressLabel = new QLabel(QStringLiteral("&Address"));
    addressLabel->setBuddy(txtAddress_);

    auto* top = new QGridLayout;
    top->addWidget(portLabel, 0, 0);
    top->addWidget(cmbPort_, 0, 1);
    top->addWidget(lblPortDevice_, 0, 2);
    top->addWidget(addressLabel, 1, 0);
    top->addWidget(txtAddress_, 1, 1);
    top->setColumnStretch(2, 1);

    auto* fraCommand = new QGroupBox(QStringLiteral("Command"));
    fraCommand->setObjectName(QStringLiteral("fraCommand"));
    txtCommandString_ = new QLineEdit;
    txtCommandString_->setObjectName(QStringLiteral("txtCommandString"));
    txtCommandString_->setAccessibleName(QStringLiteral("Command"));
    lblCommandDescription_ = ValueLabel("lblCommandDescription");
    auto* commandLayout = new QVBoxLayout(fraCommand);
    commandLayout->addWidget(txtCommandString_);
    commandLayout->addWidget(lblCommandDescription_);

    auto* fraResponse = new QGroupBox(QStringLiteral("Response"));
    fraResponse->setObjectName(QStringLiteral("fraResponse"));
    lblResponseString_ = ValueLabel("lblResponseString");
    lblResponseDescription_ = ValueLabel("lblResponseDescription");
    auto* responseLayout = new QVBoxLayout(fraResponse);
    responseLayout->addWidget(lblResponseString_);
    responseLayout->addWidget(lblResponseDescription_);
    lblProgress_ = ValueLabel("lblProgress");
    lblProgress_->setAccessibleName(QStringLiteral("Progress"));
    lblProgress_->setWordWrap(true);
    responseLayout->addWidget(lblProgress_);

    auto* fraTime = new QGroupBox(QStringLiteral("Response Time"));
    fraTime->setObjectName(QStringLiteral("fraResponseTime"));
    lblResponseTimeAverage_ = ValueLabel("lblResponseTimeAverage");
    lblMaxResponseTime_ = ValueLabel("lblMaxResponseTime");
    gauResponseTimeAverage_ = new QProgressBar;
    gauResponseTimeAverage_->setObjectName(QStringLiteral("gauResponseTimeAverage"));
    gauResponseTimeAverage_->setRange(0, 100);
    gauResponseTimeAverage_->setAccessibleName(QStringLiteral("Relative Speed"));
    auto* timeLayout = new QFormLayout(fraTime);
    timeLayout->addRow(QStringLiteral("Average:"), lblResponseTimeAverage_);
    timeLayout->addRow(QStringLiteral("Max Allowed:"), lblMaxResponseTime_);
    timeLayout->addRow(QStringLiteral("Relative Speed"), gauResponseTimeAverage_);

    // The exchange settings: shown only in the full face.
    fraSettings_ = new QGroupBox(QStringLiteral("Settings"));
    fraSettings_->setObjectName(QStringLiteral("fraSettings"));
    txtAttempts_ = NumberEdit("txtAttempts", 0, 99);
    txtErrType_ = NumberEdit("txtErrType", 0, 5);
    txtMaxResponseTime_ = NumberEdit("txtMaxResponseTime", 1, 60000);
    chkBusy_ = new QCheckBox(QStringLiteral("Busy"));
    chkBusy_->setObjectName(QStringLiteral("chkBusy"));
    chkCancel_ = new QCheckBox(QStringLiteral("Cancel"));
    chkCancel_->setObjectName(QStringLiteral("chkCancel"));
    auto* settingsLayout = new QGridLayout(fraSettings_);
    const std::array<std::pair<const char*, QLineEdit*>, 3> fields{{
        {"A&ttempts", txtAttempts_},
        {"&Error Resp Type", txtErrType_},
        {"&Max Resp Time", txtMaxResponseTime_},
    }};
    int column = 0;
    for (const auto& [caption, edit] : fields) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(edit);
        edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
        settingsLayout->addWidget(label, 0, column);
        settingsLayout->addWidget(edit, 1, column);
        ++column;
    }
    settingsLayout->addWidget(chkBusy_, 0, column);
    settingsLayout->addWidget(chkCancel_, 1, column);

    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    chkFullFace_ = new QCheckBox(QStringLiteral("FullFace"));
    chkFullFace_->setObjectName(QStringLiteral("chkFullFace"));
    cmdTraffic_ = new QPushButton(QStringLiteral("&Traffic"));
    cmdTraffic_->setObjectName(QStringLiteral("cmdTraffic"));
    cmdTraffic_->setCheckable(true);
    cmdTraffic_->setAutoDefault(false);
    trafficPane_ = new TrafficPane(line_.Traffic());
    trafficPane_->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkFullFace_);
    buttons->addWidget(cmdTraffic_);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel_);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(fraCommand);
    left->addWidget(fraResponse);
    middle->addLayout(left, 1);
    middle->addWidget(fraTime, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(fraSettings_);
    layout->addLayout(buttons);
    layout->addWidget(trafficPane_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmbPort_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showingLine_) ChoosePort();
    });
    connect(txtCommandString_, &QLineEdit::returnPressed, this, &frmComm::RunManualCommand);
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { settings_.SetCancel(true); });
    connect(chkCancel_, &QCheckBox::clicked, this, [this](bool on) { settings_.SetCancel(on); });
    connect(chkBusy_, &QCheckBox::clicked, this, [this](bool on) {
        // Ticking Busy runs the window's command; unticking cannot stop one.
        if (on && !settings_.Busy()) RunManualCommand();
        chkBusy_->setChecked(settings_.Busy());
    });
    connect(chkFullFace_, &QCheckBox::toggled, this, &frmComm::ApplyFace);
    connect(cmdTraffic_, &QPushButton::toggled, this, [this](bool shown) {
        trafficPane_->setVisible(shown);
        adjustSize();
    });
    connect(txtAttempts_, &QLineEdit::editingFinished, this, [this] {
        if (const auto value = FieldNumber(txtAttempts_)) settings_.SetAttempts(*value);
        txtAttempts_->setText(QString::number(settings_.Attempts()));
    });
    connect(txtMaxResponseTime_, &QLineEdit::editingFinished, this, [this] {
        if (const auto value = FieldNumber(txtMaxResponseTime_); value && *value > 0)
            settings_.SetMaxResponseMs(*value);
        txtMaxResponseTime_->setText(QString::number(settings_.MaxResponseMs()));
    });
    connect(txtErrType_, &QLineEdit::editingFinished, this, [this] {
        const auto value = FieldNumber(txtErrType_);
        if (!value || *value < 0 || *value > 5)
            txtErrType_->setText(QString::number(static_cast<int>(settings_.Style())));
    });
    ApplyFace();
}

void frmComm::ShowProgress(const QString& text) {
    lblProgress_->setText(text);
}

void frmComm::BindSettings() {
    auto showRequest = [this] {
        txtAddress_->setText(QString::number(settings_.Address()));
        txtCommandString_->setText(ToQString(settings_.Command()));
        lblCommandDescription_->setText(ToQString(settings_.Description()));
        txtErrType_->setText(QString::number(static_cast<int>(settings_.Style())));
    };
    auto showLimits = [this] {
        txtAttempts_->setText(QString::number(settings_.Attempts()));
        txtMaxResponseTime_->setText(QString::number(settings_.MaxResponseMs()));
        lblMaxResponseTime_->setText(QString::number(settings_.MaxResponseMs()));
    };
    auto showResponse = [this] {
        lblResponseString_->setText(ToQString(settings_.Response()));
        lblResponseDescription_->setText(ToQString(settings_.ResponseDescription()));
        // A new description is drawn at once, also in the middle of an
        // operation, but no more often than the eye can follow: a fast line
        // must not wait for the window.
        if (isVisible() && responseDrawn_.hasExpired(kResponseRedrawMs)) {
            repaint();
            responseDrawn_.start();
        }
    };
    auto showStatistics = [this] {
        lblResponseTimeAverage_->setText(QString::number(settings_.AverageResponseMs()));
        gauResponseTimeAverage_->setValue(settings_.RelativeSpeed());
    };
    connect(&settings_, &ExchangeSettings::requestChanged, this, showRequest);
    connect(&settings_, &ExchangeSettings::limitsChanged, this, showLimits);
    connect(&settings_, &ExchangeSettings::responseChanged, this, showResponse);
    connect(&settings_, &ExchangeSettings::statisticsChanged, this, showStatistics);
    connect(&settings_, &ExchangeSettings::busyChanged, chkBusy_, &QCheckBox::setChecked);
    // A burst of exchanges is drawn at most every kResponseRedrawMs, not once
    // per exchange: drawing the window would otherwise cost more than the
    // exchange itself.
    drawPause_.setSingleShot(true);
    connect(&drawPause_, &QTimer::timeout, this, [this] { setUpdatesEnabled(true); });
    connect(&settings_, &ExchangeSettings::busyChanged, this, [this](bool busy) {
        if (!busy || drawPause_.isActive() || !isVisible()) return;
        setUpdatesEnabled(false);
        drawPause_.start(static_cast<int>(kResponseRedrawMs));
    });
    connect(&settings_, &ExchangeSettings::cancelChanged, chkCancel_, &QCheckBox::setChecked);
    showRequest();
    showLimits();
    showResponse();
    showStatistics();
}

void frmComm::BindLine() {
    connect(&line_, &PanelLine::portListChanged, this, &frmComm::ShowPortList);
    connect(&line_, &PanelLine::portOpened, this, &frmComm::ShowOpenPort);
    connect(&line_, &PanelLine::portClosed, this, &frmComm::ShowOpenPort);
    connect(&line_, &PanelLine::portFailed, this, [this](const QString& reason) {
        lblPortDevice_->setText(line_.SlotDevice(line_.OpenSlotNumber()) + QStringLiteral(" (") +
                                reason + QStringLiteral(")"));
    });
    ShowPortList();
}

void frmComm::ShowPortList() {
    showingLine_ = true;
    cmbPort_->clear();
    for (const int n : line_.UsableSlots()) {
        cmbPort_->addItem(PortEntry(n));
        const PortNames names = line_.SlotNames(n);
        QString tip = PortCaption(names);
        if (!names.StableName.isEmpty()) tip += QLatin1Char('\n') + names.StableName;
        cmbPort_->setItemData(cmbPort_->count() - 1, tip, Qt::ToolTipRole);
    }
    showingLine_ = false;
    ShowOpenPort();
}

void frmComm::ShowOpenPort() {
    const int n = line_.OpenSlotNumber();
    showingLine_ = true;
    cmbPort_->setCurrentIndex(n == 0 ? -1 : cmbPort_->findText(PortEntry(n)));
    showingLine_ = false;
    lblPortDevice_->setText(n == 0 ? QString() : PortCaption(line_.SlotNames(n)));
    lblPortDevice_->setToolTip(n == 0 ? QString() : line_.SlotNames(n).StableName);
}

void frmComm::ChoosePort() {
    // Picking a port here opens it, as it would from the connect dialog.
    if (cmbPort_->currentIndex() < 0)
        line_.ClosePort();
    else
        line_.OpenSlot(PortEntrySlot(cmbPort_->currentText()));
    ShowOpenPort();
}

void frmComm::RunManualCommand() {
    const int address = FieldNumber(txtAddress_).value_or(settings_.Address());
    const int number = FieldNumber(txtErrType_).value_or(static_cast<int>(settings_.Style()));
    // The field edits the style's number; anything beyond 0..5 is held to it.
    const auto style = static_cast<FailureStyle>(std::clamp(number, 0, 5));
    line_.Exchange().Exchange(address, ToCoreText(txtCommandString_->text()),
                              ToCoreText(lblCommandDescription_->text()), style);
}

void frmComm::ApplyFace() {
    fraSettings_->setVisible(chkFullFace_->isChecked());
    adjustSize();
}

void frmComm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ApplyFace();
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

}  // namespace kvtk
