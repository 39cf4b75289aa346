#include "ui/device/frmWriteOptions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "model/conversions.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

QCheckBox* MakeBox(const char* caption, const char* name) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    return box;
}

}  // namespace

frmWriteOptions::frmWriteOptions(SpinTick& tick, const Beeper& beeper, QWidget* parent)
    : QDialog(parent),
      chkHeader_(MakeBox("&Header (Flash, Timers, Relays, etc.)", "chkHeader")),
      chkInputs_(MakeBox("&Input Configurations", "chkInputs")),
      chkGroups_(MakeBox("&Group Information", "chkGroups")),
      lblGroupCount_(new QLabel(QStringLiteral("Number of groups to write:"))),
      txtGroupCount_(new QLineEdit),
      chkBackup_(MakeBox("&Back up the device first", "chkBackup")),
      chkVerify_(MakeBox("&Verify after writing", "chkVerify")),
      chkChangesOnly_(MakeBox("Write &only the changes", "chkChangesOnly")),
      cmdWrite_(new QPushButton(QStringLiteral("&Write"))),
      cmdCancel_(new QPushButton(QStringLiteral("&Cancel"))) {
    setObjectName(QStringLiteral("frmWriteOptions"));
    setWindowTitle(QStringLiteral("Write Options"));
    setModal(true);

    txtGroupCount_->setObjectName(QStringLiteral("txtGroupCount"));
    txtGroupCount_->setAccessibleName(QStringLiteral("Number of groups to write"));
    // Digits only; the count is cut to the product's groups when written.
    txtGroupCount_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    txtGroupCount_->setMaximumWidth(
        txtGroupCount_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    lblGroupCount_->setBuddy(txtGroupCount_);
    spnGroupCount_ = new SpinButtons(
        txtGroupCount_, [] { return 0; }, [this] { return maxGroups_; }, tick, beeper,
        QStringLiteral("Number of groups to write"));
    spnGroupCount_->setObjectName(QStringLiteral("spnGroupCount"));

    cmdWrite_->setObjectName(QStringLiteral("cmdWrite"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdWrite_->setDefault(true);

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("fraParts"));
    auto* parts = new QVBoxLayout(frame);
    parts->addWidget(chkHeader_);
    parts->addWidget(chkInputs_);
    parts->addWidget(chkGroups_);
    auto* count = new QHBoxLayout;
    count->addSpacing(20);
    count->addWidget(lblGroupCount_);
    count->addWidget(txtGroupCount_);
    count->addWidget(spnGroupCount_);
    count->addStretch(1);
    parts->addLayout(count);
    chkVerify_->setChecked(false);
    chkChangesOnly_->setChecked(false);
    auto* safety = new QGroupBox;
    safety->setObjectName(QStringLiteral("fraSafety"));
    auto* safetyLayout = new QVBoxLayout(safety);
    safetyLayout->addWidget(chkBackup_);
    safetyLayout->addWidget(chkVerify_);
    safetyLayout->addWidget(chkChangesOnly_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdWrite_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel_, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(safety);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdWrite_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmWriteOptions::reject);
    connect(chkGroups_, &QCheckBox::toggled, this, &frmWriteOptions::GroupsClicked);
}

void frmWriteOptions::Prepare(int maxGroups) {
    maxGroups_ = maxGroups;
    txtGroupCount_->setText(QString::number(maxGroups));
    GroupsClicked(chkGroups_->isChecked());
    chkHeader_->setFocus(Qt::OtherFocusReason);
}

WriteOptions frmWriteOptions::Options() const {
    WriteOptions options;
    options.Header = chkHeader_->isChecked();
    options.Inputs = chkInputs_->isChecked();
    options.Groups = chkGroups_->isChecked();
    options.GroupCount = IntegerValue(ToCoreText(txtGroupCount_->text()));
    options.ChangesOnly = chkChangesOnly_->isChecked();
    return options;
}

WriteSafety frmWriteOptions::Safety() const {
    return {chkBackup_->isChecked(), chkVerify_->isChecked(), chkChangesOnly_->isChecked()};
}

void frmWriteOptions::SetSafety(const WriteSafety& safety) {
    chkBackup_->setChecked(safety.Backup);
    chkVerify_->setChecked(safety.Verify);
    chkChangesOnly_->setChecked(safety.ChangesOnly);
}

void frmWriteOptions::reject() {
    chkHeader_->setChecked(false);
    chkInputs_->setChecked(false);
    chkGroups_->setChecked(false);
    QDialog::reject();
}

void frmWriteOptions::GroupsClicked(bool checked) {
    lblGroupCount_->setEnabled(checked);
    txtGroupCount_->setEnabled(checked);
    spnGroupCount_->setEnabled(checked);
}

}  // namespace kvtk
