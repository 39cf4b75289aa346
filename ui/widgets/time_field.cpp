#include "ui/widgets/time_field.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/widgets/text_convert.h"
#include "ui/widgets/typed_key.h"

namespace kvtk {

TimeField::TimeField(const TimeLimits& limits, const Beeper& beeper, QWidget* parent)
    : QLineEdit(parent), limits_(limits), beeper_(beeper) {
    setText(QString::fromLatin1(kEmptyTime));
    setMaxLength(5);
    // Text arrives only through the keys handled below.
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("00:00")) * 2;
    setMinimumWidth(width);
    setMaximumWidth(width);
    connect(this, &QLineEdit::textChanged, this,
            [this] { emit timeChanged(ToQString(CompletedTime())); });
}

void TimeField::SetTime(const std::string& text) {
    setText(ToQString(NormalizeTime(text)));
}

std::string TimeField::CompletedTime() const {
    return CompleteTime(ToCoreText(text()), limits_).Text;
}

void TimeField::Complete() {
    const TimeCompletion done = CompleteTime(ToCoreText(text()), limits_);
    if (done.Beep) beeper_.Beep();
    const QString completed = ToQString(done.Text);
    if (completed != text()) setText(completed);
}

void TimeField::Apply(const TimeEdit& edit) {
    setText(ToQString(edit.Text));
    setCursorPosition(edit.Caret);
}

void TimeField::TypeDigit(char digit) {
    const std::string current = ToCoreText(text());
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    const auto edit = TypeTimeDigit(current, cursorPosition(), selStart, selLength, digit);
    // A refused key leaves text, caret and selection as they were, so the
    // next key is typed in the same place.
    if (!edit || !TimeWithinLimits(edit->Text, limits_)) {
        beeper_.Beep();
        return;
    }
    Apply(*edit);
}

void TimeField::keyPressEvent(QKeyEvent* event) {
    const std::string current = ToCoreText(text());
    const int caret = cursorPosition();
    const int selStart = hasSelectedText() ? selectionStart() : caret;
    const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;

    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::DeleteEndOfLine) ||
        event->matches(QKeySequence::DeleteStartOfWord) ||
        event->matches(QKeySequence::DeleteEndOfWord) ||
        event->matches(QKeySequence::DeleteCompleteLine)) {
        beeper_.Beep();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            Apply(EraseTimeBack(current, caret, selStart, selLength));
            return;
        case Qt::Key_Delete:
            Apply(EraseTimeForward(current, caret, selStart, selLength));
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Complete();
            QLineEdit::keyPressEvent(event);
            return;
        default:
            break;
    }
    const std::optional<QChar> typed = TypedCharacter(*event);
    if (!typed) {
        QLineEdit::keyPressEvent(event);  // caret movement, Tab, shortcuts
        return;
    }
    const QChar ch = *typed;
    if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
        TypeDigit(ch.toLatin1());
        return;
    }
    beeper_.Beep();  // the colon stays where it is; letters have no place here
}

void TimeField::focusOutEvent(QFocusEvent* event) {
    // Opening a menu or switching windows is no end of the edit.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Complete();
    QLineEdit::focusOutEvent(event);
}

}  // namespace kvtk
