#include "ui/widgets/address_field.h"

#include <QKeyEvent>
#include <QTimer>

namespace kvtk {

PanelAddressField::PanelAddressField(Limit minimum, const Beeper& beeper, QWidget* parent)
    : QLineEdit(parent), minimum_(std::move(minimum)), beeper_(beeper) {
    setMaxLength(3);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (Acceptable(text)) lastGood_ = text;
    });
    // Whatever reaches the text without a key press (a paste) obeys the same
    // rule: anything but an address up to 255 is taken back.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (Acceptable(text)) return;
        beeper_.Beep();
        setText(lastGood_);
    });
}

bool PanelAddressField::Acceptable(const QString& text) {
    for (const QChar c : text)
        if (!c.isDigit() || c.unicode() > 127) return false;
    return text.isEmpty() || text.toInt() <= kMaximum;
}

int PanelAddressField::Value() const {
    return text().toInt();
}

void PanelAddressField::RunLeaveCheck() {
    const int minimum = minimum_();
    if (text().isEmpty() || Value() < minimum) {
        beeper_.Beep();
        setText(QString::number(minimum));
    }
}

void PanelAddressField::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F7 && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        emit productCodeKey();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isDigit() && mods == Qt::NoModifier) {
        // The text as it would be: before the selection, the digit, after it.
        const QString current = text();
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
        const QString result = current.left(start) + typed + current.mid(start + length);
        if (result.toInt() > kMaximum || result.size() > 3) {
            beeper_.Beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void PanelAddressField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After a mouse press has placed the caret, so the selection survives it.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void PanelAddressField::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        RunLeaveCheck();
    QLineEdit::focusOutEvent(event);
}

}  // namespace kvtk
