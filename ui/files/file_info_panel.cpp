#include "ui/files/file_info_panel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/widgets/printable_text_field.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/tone_colours.h"

namespace kvtk {

void FileInfoState::Select(const std::string& fileSystemPath) {
    const HeaderReadResult result = ReadHeader(fileSystemPath);
    View = result.View;
    HeaderValid = result.Usable();
}

namespace {

QLabel* ValueLabel(const char* objectName) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("MM-MM-MMMM")));
    return label;
}

}  // namespace

FileInfoPanel::FileInfoPanel(FileInfoState& state, bool descriptionEditable, QWidget* parent)
    : QGroupBox(QStringLiteral("File Information"), parent),
      state_(state),
      lblProductType_(ValueLabel("lblProductType")),
      lblVersion_(ValueLabel("lblVersion")),
      lblDate_(ValueLabel("lblDate")),
      lblTime_(ValueLabel("lblTime")),
      lblAddress_(ValueLabel("lblAddress")),
      txtDescription_(new QLineEdit) {
    setObjectName(QStringLiteral("fraFileInfo"));
    txtDescription_->setObjectName(QStringLiteral("txtDescription"));
    KeepPrintablePanelText(*txtDescription_);
    txtDescription_->setAccessibleName(QStringLiteral("File Description"));
    txtDescription_->setReadOnly(!descriptionEditable);
    if (!descriptionEditable) {
        // Read-only: looks like the value fields beside it.
        QPalette palette = txtDescription_->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        txtDescription_->setPalette(palette);
    }
    txtDescription_->setMinimumWidth(
        txtDescription_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);

    auto* form = new QFormLayout(this);
    auto addRow = [form](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow("Product", lblProductType_);
    addRow("Version", lblVersion_);
    addRow("Date", lblDate_);
    addRow("Time", lblTime_);
    addRow("File &Description", txtDescription_);
    addRow("Address", lblAddress_);

    connect(txtDescription_, &QLineEdit::textEdited, this, [this](const QString& text) {
        state_.View.Description = ToCoreText(text);
        state_.View.DescriptionIsWarning = false;
        SetAlertTone(*txtDescription_, false);
    });
    Refresh();
}

void FileInfoPanel::Refresh() {
    const FileHeaderView& view = state_.View;
    lblProductType_->setText(ToQString(view.Model));
    lblVersion_->setText(ToQString(view.Version));
    lblDate_->setText(ToQString(view.Date));
    lblTime_->setText(ToQString(view.Time));
    lblAddress_->setText(ToQString(view.Address));
    txtDescription_->setText(ToQString(view.Description));
    txtDescription_->setCursorPosition(0);
    // The unlisted-model text is shown in red.
    SetAlertTone(*txtDescription_, view.DescriptionIsWarning);
}

}  // namespace kvtk
