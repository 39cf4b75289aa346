#include "ui/device/frmProductCode.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "transfer/operations/product_code.h"
#include "ui/device/gui_operation_host.h"

namespace kvtk {

frmProductCode::frmProductCode(int address, PanelExchange& exchange, GuiOperationHost& host,
                               QWidget* parent)
    : QDialog(parent),
      address_(address),
      exchange_(exchange),
      host_(host),
      lstProductCodes_(new QListWidget),
      cmdChange_(new QPushButton(QStringLiteral("&Change"))),
      cmdDone_(new QPushButton(QStringLiteral("&Done"))),
      lblStatus_(new QLabel) {
    setObjectName(QStringLiteral("frmProductCode"));
    setWindowTitle(QStringLiteral("Product Code"));
    setModal(true);

    auto* caption = new QLabel(QStringLiteral("Product Codes"));
    caption->setBuddy(lstProductCodes_);
    lstProductCodes_->setObjectName(QStringLiteral("lstProductCodes"));
    lstProductCodes_->setAccessibleName(QStringLiteral("Product Codes"));
    for (const ProductCode& product : ProductCodes())
        lstProductCodes_->addItem(QString::fromLatin1(product.Product));
    lstProductCodes_->setCurrentRow(0);
    // Every product in view at once.
    lstProductCodes_->setMinimumHeight(lstProductCodes_->sizeHintForRow(0) *
                                           lstProductCodes_->count() +
                                       2 * lstProductCodes_->frameWidth());
    lstProductCodes_->installEventFilter(this);
    // The status speaks of the product it was given for; another choice
    // (the keyboard keeps the focus in the list) starts afresh.
    connect(lstProductCodes_, &QListWidget::currentRowChanged, this, [this] {
        if (!running_) lblStatus_->clear();
    });

    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setAccessibleName(QStringLiteral("Status"));
    lblStatus_->setMinimumWidth(lblStatus_->fontMetrics().horizontalAdvance(
        QStringLiteral("Product Code Change Accepted ")));

    // Enter takes the safe way out; a change is always asked for by name.
    cmdChange_->setObjectName(QStringLiteral("cmdChange"));
    cmdChange_->setAutoDefault(false);
    cmdDone_->setObjectName(QStringLiteral("cmdDone"));
    cmdDone_->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdChange_, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdDone_, QDialogButtonBox::RejectRole);
    connect(cmdChange_, &QPushButton::clicked, this, &frmProductCode::Change);
    connect(cmdDone_, &QPushButton::clicked, this, &frmProductCode::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(lstProductCodes_);
    layout->addWidget(lblStatus_);
    layout->addWidget(buttons);
    lstProductCodes_->setFocus(Qt::OtherFocusReason);
}

void frmProductCode::Change() {
    if (running_) return;
    running_ = true;
    QWidget* focused = focusWidget();
    cmdChange_->setEnabled(false);
    host_.SetStatusLineSink(GuiOperationHost::LabelStatusLine(*lblStatus_));
    SetPanelModel(address_, lstProductCodes_->currentRow(), exchange_, host_);
    host_.SetStatusLineSink({});
    cmdChange_->setEnabled(true);
    running_ = false;
    // Disabling the button moved the focus on; it goes back where it was.
    if (focused) focused->setFocus(Qt::OtherFocusReason);
}

bool frmProductCode::eventFilter(QObject* watched, QEvent* event) {
    // Coming back to the list starts afresh; returning to the window does not.
    if (watched == lstProductCodes_ && event->type() == QEvent::FocusIn && !running_ &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
        lblStatus_->clear();
    return QDialog::eventFilter(watched, event);
}

void frmProductCode::reject() {
    if (!running_) QDialog::reject();
}

void frmProductCode::closeEvent(QCloseEvent* event) {
    if (running_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

}  // namespace kvtk
