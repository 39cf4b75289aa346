#include "ui/widgets/hint_line.h"

#include <QEvent>
#include <utility>

namespace kvtk {

HintLine::HintLine(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setMinimumHeight(fontMetrics().height() * 2);
    setWordWrap(true);
}

void HintLine::Register(QWidget* widget, const QString& hint) {
    Register(widget, [hint] { return hint; });
}

void HintLine::Register(QWidget* widget, HintText hint) {
    hints_.insert(widget, std::move(hint));
    if (widget != this)  // the line's own entry goes with it
        connect(widget, &QObject::destroyed, this, [this, widget] { hints_.remove(widget); });
    Watch(widget);
    for (QWidget* child : widget->findChildren<QWidget*>()) Watch(child);
}

void HintLine::Watch(QWidget* widget) {
    widget->removeEventFilter(this);  // at most once per widget
    widget->installEventFilter(this);
}

const HintLine::HintText* HintLine::Find(QWidget* widget) const {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const auto it = hints_.constFind(w);
        if (it != hints_.constEnd()) return &it.value();
    }
    return nullptr;
}

QString HintLine::HintFor(QWidget* widget) const {
    const HintText* hint = Find(widget);
    return hint ? (*hint)() : QString();
}

bool HintLine::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && event->type() == QEvent::Enter) {
        if (const HintText* hint = Find(widget)) setText((*hint)());
    } else if (widget && event->type() == QEvent::Leave && widget->parentWidget()) {
        // Back over the surrounding frame, which gets no enter event of its
        // own; a sibling entered next overrides this.
        if (const HintText* hint = Find(widget->parentWidget())) setText((*hint)());
    }
    return QLabel::eventFilter(watched, event);
}

}  // namespace kvtk
