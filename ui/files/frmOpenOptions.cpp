#include "ui/files/frmOpenOptions.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvtk {
namespace {

QLabel* TextLabel(const QString& text, const char* objectName) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setWordWrap(true);
    return label;
}

}  // namespace

frmOpenOptions::frmOpenOptions(const OpenOptionTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Open Option"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLabel(texts.CurrentInfo, "lblCurrentInfo"));
    layout->addWidget(TextLabel(texts.FileInfo, "lblFileInfo"));
    QLabel* difference = TextLabel(texts.Difference, "lblDifference");
    QFont bold = difference->font();
    bold.setBold(true);
    difference->setFont(bold);
    layout->addWidget(difference);
    layout->addSpacing(8);
    layout->addWidget(
        TextLabel(QStringLiteral("Select one of the following options:"), "lblSelect"));

    const std::array<QString, 3> captions{
        QStringLiteral("Load data for use with the current device."),
        QStringLiteral("Go offline with device specified by the file."), QStringLiteral("Cancel")};
    for (size_t index = 0; index < captions.size(); ++index) {
        auto* button = new QPushButton(captions[index]);
        button->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] {
            choice_ = static_cast<OpenOption>(index);
            // Cancel rejects, so the dialog's close box and Escape mean the same.
            if (choice_ == OpenOption::Cancel)
                reject();
            else
                accept();
        });
        layout->addWidget(button);
        actions_[index] = button;
    }
    actions_[0]->setDefault(true);
    actions_[0]->setFocus();
    layout->addWidget(TextLabel(
        QStringLiteral("Note: Loading data from a file version newer than the device you are "
                       "programming data for will limit the values from the file to legal values "
                       "for the device."),
        "lblNote"));
    connect(this, &QDialog::rejected, this, [this] { choice_ = OpenOption::Cancel; });
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 34);
}

}  // namespace kvtk
