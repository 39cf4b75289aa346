#include "ui/widgets/group_number_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <utility>

#include "model/conversions.h"
#include "model/group_setup_rules.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

GroupNumberField::GroupNumberField(Limit maxGroups, const Beeper& beeper, QWidget* parent)
    : QLineEdit(parent), maxGroups_(std::move(maxGroups)), beeper_(beeper) {
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12;
    setMinimumWidth(width);
    setMaximumWidth(width + 8);
}

int32_t GroupNumberField::Value() const {
    return IntegerValue(ToCoreText(text()));
}

void GroupNumberField::RunLeaveCheck() {
    const int32_t value = Value();
    const int highest = maxGroups_();
    if (text().isEmpty() || value <= 0) {
        beeper_.Beep();
        setText(QStringLiteral("1"));
    } else if (value > highest) {
        // Only a paste or a smaller product gets here; typing is refused earlier.
        beeper_.Beep();
        setText(QString::number(highest));
    }
}

void GroupNumberField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool digit = typed.size() == 1 && typed.at(0) >= QLatin1Char('0') &&
                       typed.at(0) <= QLatin1Char('9') &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (digit) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
        if (!GroupDigitAccepted(ToCoreText(text()), start, length, typed.at(0).toLatin1(),
                                maxGroups_())) {
            beeper_.Beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void GroupNumberField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After a mouse press has placed the caret, so the selection survives it.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void GroupNumberField::focusOutEvent(QFocusEvent* event) {
    // Opening a menu or switching windows is no end of the edit.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        RunLeaveCheck();
    QLineEdit::focusOutEvent(event);
}

void GroupNumberField::dragEnterEvent(QDragEnterEvent* event) {
    emit dragEntered();
    QLineEdit::dragEnterEvent(event);
}

}  // namespace kvtk
