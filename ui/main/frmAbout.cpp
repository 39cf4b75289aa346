#include "ui/main/frmAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "model/program_notice.h"

namespace kvtk {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProductName));
    setModal(true);
    auto* name = new QLabel(QString::fromLatin1(kProductName));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    name->setFont(bold);
    auto* version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(kProgramVersion));
    auto* notice = new QLabel(QString::fromLatin1(kMakerNotice));
    auto* licence = new QLabel(QString::fromLatin1(kVersionNotice).trimmed());
    licence->setObjectName(QStringLiteral("lblLicence"));
    licence->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(notice);
    layout->addWidget(licence);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kvtk
