#include "ui/device/frmAddressChange.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

#include "model/conversions.h"
#include "transfer/operations/address_change.h"
#include "ui/device/gui_operation_host.h"
#include "ui/main/edit_commands.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/typed_key.h"

namespace kvtk {
namespace {

bool InRange(int value) {
    return value >= kLowestNewAddress && value <= kHighestNewAddress;
}

}  // namespace

frmAddressChange::frmAddressChange(MainWindowAccess& window, PanelExchange& exchange,
                                   GuiOperationHost& host, QWidget* parent)
    : QDialog(parent),
      window_(window),
      exchange_(exchange),
      host_(host),
      lblWarning_(new QLabel),
      lblInfo_(new QLabel),
      txtNewAddress_(new QLineEdit),
      cmdChange_(new QPushButton(QStringLiteral("Change"))),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"))) {
    setObjectName(QStringLiteral("frmAddressChange"));
    setWindowTitle(QStringLiteral("Address Change"));
    setModal(true);

    lblWarning_->setObjectName(QStringLiteral("lblWarning"));
    lblWarning_->setText(ToQString(AddressChangeWarning(window_.Config().Panel.Address)));
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setMinimumWidth(lblInfo_->fontMetrics().horizontalAdvance(
        QStringLiteral("No response at new address. Going offline")));

    auto* caption = new QLabel(QStringLiteral("New address:"));
    caption->setBuddy(txtNewAddress_);
    txtNewAddress_->setObjectName(QStringLiteral("txtNewAddress"));
    txtNewAddress_->setAccessibleName(QStringLiteral("New address"));
    txtNewAddress_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    txtNewAddress_->setMaximumWidth(
        txtNewAddress_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    txtNewAddress_->installEventFilter(this);
    spnNewAddress_ = new SpinButtons(
        txtNewAddress_, [] { return kLowestNewAddress; }, [] { return kHighestNewAddress; },
        window_.SpinTicker(), window_.GetBeeper(), QStringLiteral("New address"));
    spnNewAddress_->setObjectName(QStringLiteral("spnNewAddress"));

    cmdChange_->setObjectName(QStringLiteral("cmdChange"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdChange_->setDefault(true);

    auto* field = new QHBoxLayout;
    field->addWidget(caption);
    field->addWidget(txtNewAddress_);
    field->addWidget(spnNewAddress_);
    field->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdChange_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWarning_);
    layout->addLayout(field);
    layout->addWidget(lblInfo_);
    layout->addLayout(buttons);

    connect(txtNewAddress_, &QLineEdit::textChanged, this, &frmAddressChange::FieldChanged);
    connect(cmdChange_, &QPushButton::clicked, this, &frmAddressChange::Change);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    txtNewAddress_->setText(QStringLiteral("1"));
}

bool frmAddressChange::KeyAllowed(const QString& typed) const {
    // The text the digit would make, replacing a selection or at the caret.
    QString result = txtNewAddress_->text();
    if (txtNewAddress_->hasSelectedText())
        result.replace(txtNewAddress_->selectionStart(), txtNewAddress_->selectedText().size(),
                       typed);
    else
        result.insert(txtNewAddress_->cursorPosition(), typed);
    return result.size() <= 3 && InRange(result.toInt());
}

bool frmAddressChange::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNewAddress_) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const std::optional<QChar> typed = TypedCharacter(*key);
            // Only digits that keep the address within 1..255 get in; any
            // other character is refused as well.
            if (typed && (!typed->isDigit() || !KeyAllowed(key->text()))) {
                window_.GetBeeper().Beep();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            LeaveCheck();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddressChange::LeaveCheck() {
    if (!txtNewAddress_->isEnabled()) return;
    if (txtNewAddress_->text().isEmpty() || txtNewAddress_->text().toInt() < kLowestNewAddress) {
        window_.GetBeeper().Beep();
        txtNewAddress_->setText(QStringLiteral("1"));
    }
}

void frmAddressChange::FieldChanged() {
    if (!txtNewAddress_->isEnabled()) return;
    cmdChange_->setEnabled(InRange(IntegerValue(ToCoreText(txtNewAddress_->text()))));
}

void frmAddressChange::Change() {
    const int newAddress = IntegerValue(ToCoreText(txtNewAddress_->text()));
    if (running_ || !InRange(newAddress)) return;
    running_ = true;
    setEnabled(false);
    host_.SetStatusLineSink(GuiOperationHost::LabelStatusLine(*lblInfo_));
    const AddressChangeOutcome outcome =
        ChangeAddress(window_.Config(), newAddress, exchange_, host_, beforeChange_);
    host_.SetStatusLineSink({});
    setEnabled(true);
    running_ = false;

    window_.Edit().DeviceChanged();  // the panel's old address is history
    // Whatever step the sequence reached (a cancel after the write too), the
    // main window shows the address the configuration now holds.
    window_.SetAddress(IntegerValue(window_.Config().Panel.Address));
    if (outcome.Result == AddressChangeResult::WentOffline) {
        window_.SetConnection(PanelConnection::Offline());
        txtNewAddress_->setEnabled(false);
        spnNewAddress_->setEnabled(false);
        cmdChange_->setEnabled(false);
        cmdCancel_->setText(QStringLiteral("&OK"));
        cmdCancel_->setFocus(Qt::OtherFocusReason);
        emit wentOffline();
    } else if (!outcome.Completed) {
        // Disabling the window (and the backup read enabling the main
        // window) took the focus away: the next try starts in the field.
        activateWindow();
        txtNewAddress_->setFocus(Qt::OtherFocusReason);
        txtNewAddress_->selectAll();
    }
    if (outcome.Completed) accept();
}

void frmAddressChange::reject() {
    if (!running_) QDialog::reject();
}

void frmAddressChange::closeEvent(QCloseEvent* event) {
    if (running_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void frmAddressChange::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace kvtk
