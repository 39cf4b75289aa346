#include "ui/device/frmSpecialOptions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kvtk {

frmSpecialOptions::frmSpecialOptions(int32_t& mask, QWidget* parent)
    : QDialog(parent), mask_(mask), cmdOK_(new QPushButton(QStringLiteral("&OK"))) {
    setObjectName(QStringLiteral("frmSpecialOptions"));
    setWindowTitle(QStringLiteral("Special Options"));
    setModal(true);

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("fraOptions"));
    auto* boxes = new QVBoxLayout(frame);
    for (int i = 0; i < kSpecialOptionCount; ++i) {
        const QString caption =
            QString::fromLatin1(SpecialOptionCaptions()[static_cast<size_t>(i)]);
        auto* box = new QCheckBox(caption);
        box->setObjectName(QStringLiteral("chkOption_%1").arg(i));
        box->setAccessibleName(caption);
        // clicked, not toggled: the boxes this dialog sets itself do not count as clicks.
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) { Clicked(i, checked); });
        boxes->addWidget(box);
        chkOption_[static_cast<size_t>(i)] = box;
    }

    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK_, QDialogButtonBox::AcceptRole);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmSpecialOptions::showEvent(QShowEvent* event) {
    ShowMask();
    chkOption_[0]->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void frmSpecialOptions::ShowMask() {
    const auto checked = SpecialOptionBoxes(mask_);
    for (size_t i = 0; i < chkOption_.size(); ++i) {
        const QSignalBlocker quiet(chkOption_[i]);
        chkOption_[i]->setChecked(checked[i]);
    }
}

void frmSpecialOptions::Clicked(int box, bool checked) {
    mask_ = ClickSpecialOption(mask_, box, checked);
    // A click can carry its partner box along (Option 2 needs Option 1).
    ShowMask();
}

}  // namespace kvtk
