#include "ui/widgets/number_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <utility>

#include "model/conversions.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/typed_key.h"

namespace kvtk {

NumberField::NumberField(Limit minimum, Limit maximum, ReleaseChecks releaseChecks,
                         const Beeper& beeper, QWidget* parent)
    : QLineEdit(parent),
      minimum_(std::move(minimum)),
      maximum_(std::move(maximum)),
      releaseChecks_(releaseChecks),
      beeper_(beeper) {
    // Pasted text is held to digits as well; the length keeps values sane.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this));
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12;
    setMinimumWidth(width);
    setMaximumWidth(width + 8);
}

int32_t NumberField::Value() const {
    return IntegerValue(ToCoreText(text()));
}

void NumberField::Correct(int value) {
    beeper_.Beep();
    setText(QString::number(value));
}

void NumberField::RunLeaveCheck() {
    if (text().isEmpty() || Value() < minimum_())
        Correct(minimum_());
    else if (Value() > maximum_())
        Correct(maximum_());
    emit leaveChecked();
}

void NumberField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            RunLeaveCheck();
            return;
        case Qt::Key_Backspace:
            QLineEdit::keyPressEvent(event);
            return;
        default:
            break;
    }
    const std::optional<QChar> typed = TypedCharacter(*event);
    if (!typed) {
        QLineEdit::keyPressEvent(event);  // caret movement, Tab, Delete, shortcuts
        return;
    }
    if (*typed >= QLatin1Char('0') && *typed <= QLatin1Char('9'))
        QLineEdit::keyPressEvent(event);
    else
        beeper_.Beep();
}

void NumberField::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (releaseChecks_.Minimum && Value() < minimum_())
        Correct(minimum_());
    else if (releaseChecks_.Maximum && Value() > maximum_())
        Correct(maximum_());
}

void NumberField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After a mouse press has placed the caret, so the selection survives it.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void NumberField::focusOutEvent(QFocusEvent* event) {
    // Opening a menu or switching windows is no end of the edit.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        RunLeaveCheck();
    QLineEdit::focusOutEvent(event);
}

}  // namespace kvtk
