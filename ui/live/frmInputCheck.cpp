#include "ui/live/frmInputCheck.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

constexpr int kBoxesPerColumn = 10;

// A check box that only shows a state: a click puts it back at once.
QCheckBox* MakeShownBox(const QString& caption, std::function<bool()> shownState) {
    auto* box = new QCheckBox(caption);
    box->setFocusPolicy(Qt::NoFocus);
    QObject::connect(box, &QCheckBox::clicked, box,
                     [box, shownState = std::move(shownState)] { box->setChecked(shownState()); });
    return box;
}

}  // namespace

frmInputCheck::frmInputCheck(Configuration& config, PanelExchange& exchange, QWidget* parent)
    : LiveWindow(parent), monitor_(exchange, config) {
    setObjectName(QStringLiteral("frmInputCheck"));
    setWindowTitle(QStringLiteral("Input Status - continuously updated"));
    message_ = [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text, QMessageBox::Ok);
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildInputs());
    layout->addWidget(BuildLegend());
    layout->addWidget(BuildAnalog());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdAutoRefresh());
    layout->addLayout(buttons);
}

QWidget* frmInputCheck::BuildInputs() {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= kInputCount; ++n) {
        QCheckBox* box =
            MakeShownBox(QString::number(n), [this, n] { return monitor_.BoxTicked(n); });
        box->setObjectName(QStringLiteral("InputChildSel_%1").arg(n));
        box->setAccessibleName(QStringLiteral("Input %1").arg(n));
        grid->addWidget(box, (n - 1) % kBoxesPerColumn, (n - 1) / kBoxesPerColumn);
        InputChildSel_[static_cast<size_t>(n)] = box;
    }
    return holder;
}

QWidget* frmInputCheck::BuildLegend() {
    auto* holder = new QWidget;
    auto* legend = new QHBoxLayout(holder);
    legend->setContentsMargins(0, 0, 0, 0);
    Check3D1_ = MakeShownBox(QStringLiteral("Input is activated"), [] { return true; });
    Check3D1_->setObjectName(QStringLiteral("Check3D1"));
    Check3D1_->setChecked(true);
    Check3D2_ = MakeShownBox(QStringLiteral("Input is not activated"), [] { return false; });
    Check3D2_->setObjectName(QStringLiteral("Check3D2"));
    legend->addWidget(Check3D1_);
    legend->addWidget(Check3D2_);
    legend->addStretch(1);
    return holder;
}

QGroupBox* frmInputCheck::BuildAnalog() {
    fraAnalog_ = new QGroupBox(QStringLiteral("Analog Input"));
    fraAnalog_->setObjectName(QStringLiteral("fraAnalog"));
    auto* layout = new QHBoxLayout(fraAnalog_);
    auto* channels = new QGridLayout;
    for (int c = 1; c <= kAnalogChannels; ++c) {
        auto* number = new QLabel(QString::number(c));
        number->setObjectName(QStringLiteral("Label%1").arg(c + 2));
        number->setAlignment(Qt::AlignCenter);
        auto* value = new QLabel(QStringLiteral("0"));
        value->setObjectName(QStringLiteral("lblAnalog_%1").arg(c));
        value->setAccessibleName(QStringLiteral("Analog channel %1").arg(c));
        value->setAlignment(Qt::AlignCenter);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-32768")) +
                               8);
        channels->addWidget(number, 0, c - 1);
        channels->addWidget(value, 1, c - 1);
        lblAnalog_[static_cast<size_t>(c)] = value;
    }
    layout->addLayout(channels);
    auto* calibration = new QFormLayout;
    auto addField = [this, calibration](const char* caption, const char* labelName,
                                        const char* fieldName) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setObjectName(QString::fromLatin1(labelName));
        auto* field = new QLineEdit;
        field->setObjectName(QString::fromLatin1(fieldName));
        field->setAccessibleName(label->text());
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-32768")) +
                               16);
        field->installEventFilter(this);
        label->setBuddy(field);
        calibration->addRow(label, field);
        return field;
    };
    calLow_ = addField("Units @ 0 V", "Label1", "calLow");
    calHigh_ = addField("Units @ 5 V", "Label2", "calHigh");
    layout->addLayout(calibration);
    return fraAnalog_;
}

QCheckBox* frmInputCheck::InputChildSel(int input) const {
    return InputChildSel_.at(static_cast<size_t>(input));
}

QLabel* frmInputCheck::lblAnalog(int channel) const {
    return lblAnalog_.at(static_cast<size_t>(channel));
}

bool frmInputCheck::OpenView() {
    calLow_->setText(ToQString(monitor_.UnitsAt0VText()));
    calHigh_->setText(ToQString(monitor_.UnitsAt5VText()));
    const bool opened = monitor_.Open();
    fraAnalog_->setVisible(monitor_.AnalogShown());
    for (int n = 1; n <= kInputCount; ++n) InputChildSel(n)->setVisible(monitor_.BoxVisible(n));
    cmdAutoRefresh()->setFocus(Qt::OtherFocusReason);
    return opened;
}

void frmInputCheck::ShowState() {
    for (int n = 1; n <= monitor_.VisibleInputs(); ++n)
        InputChildSel(n)->setChecked(monitor_.BoxTicked(n));
    for (int c = 1; c <= kAnalogChannels; ++c)
        lblAnalog(c)->setText(ToQString(monitor_.AnalogText(c)));
    cmdAutoRefresh()->setText(RefreshCaption());
}

bool frmInputCheck::ViewRunning() const {
    return monitor_.Running();
}

bool frmInputCheck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == calLow_ || watched == calHigh_)) {
        // Only a move within the window is a leave; a message box or another
        // window taking the focus is not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            LeaveCalibration(static_cast<QLineEdit*>(watched));
    }
    return LiveWindow::eventFilter(watched, event);
}

void frmInputCheck::LeaveCalibration(QLineEdit* field) {
    if (leaving_) return;
    const std::string text = ToCoreText(field->text());
    const auto refused =
        field == calLow_ ? monitor_.LeaveUnitsAt0V(text) : monitor_.LeaveUnitsAt5V(text);
    if (!refused) return;
    leaving_ = true;
    message_(ToQString(*refused));
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    leaving_ = false;
}

}  // namespace kvtk
