#include "ui/live/group_indicator.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace kvtk {
namespace {

QString StateWord(GroupIndicator::State state) {
    switch (state) {
        case GroupIndicator::State::On:
            return QStringLiteral("on");
        case GroupIndicator::State::Unreadable:
            return QStringLiteral("unreadable");
        case GroupIndicator::State::Off:
            break;
    }
    return QStringLiteral("off");
}

}  // namespace

GroupIndicator::GroupIndicator(int group, QWidget* parent) : QWidget(parent), group_(group) {
    setObjectName(QStringLiteral("picGroup_%1").arg(group));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    UpdateAccessibleName();
}

void GroupIndicator::SetState(State state) {
    if (state == state_) return;
    state_ = state;
    UpdateAccessibleName();
    update();
}

void GroupIndicator::UpdateAccessibleName() {
    setAccessibleName(QStringLiteral("Group %1 %2").arg(group_).arg(StateWord(state_)));
}

QSize GroupIndicator::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QStringLiteral("OFF")) + 18, metrics.height() + 8};
}

void GroupIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    const QPalette& colours = palette();
    const bool on = state_ == State::On;
    // On: a filled lamp with light text; off: a hollow, dashed outline.
    QPen outline(colours.color(QPalette::WindowText), on ? 1.5 : 1.0,
                 on ? Qt::SolidLine : Qt::DashLine);
    painter.setPen(outline);
    painter.setBrush(on ? QBrush(QColor(0x2e, 0x7d, 0x32)) : Qt::NoBrush);
    painter.drawRoundedRect(lamp, lamp.height() / 2, lamp.height() / 2);
    QFont text = font();
    text.setBold(on);
    painter.setFont(text);
    painter.setPen(on ? QColor(Qt::white) : colours.color(QPalette::WindowText));
    const QString word =
        state_ == State::Unreadable ? QStringLiteral("?") : StateWord(state_).toUpper();
    painter.drawText(lamp, Qt::AlignCenter, word);
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75));
    }
}

void GroupIndicator::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (std::exchange(releaseEndsDoubleClick_, false)) return;
    if (rect().contains(event->position().toPoint())) emit statusRequested(group_);
}

void GroupIndicator::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    releaseEndsDoubleClick_ = true;
    emit toggleRequested(group_);
}

void GroupIndicator::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit statusRequested(group_);
            return;
        case Qt::Key_Space:
            emit toggleRequested(group_);
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            emit arrowPressed(group_, event->key());
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void GroupIndicator::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    emit focusChanged(group_, true);
}

void GroupIndicator::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
    emit focusChanged(group_, false);
}

}  // namespace kvtk
