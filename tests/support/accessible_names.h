#pragma once
// The controls of a window that a screen reader would announce without a
// name: every visible edit field, list, button and scroll bar must have one.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

namespace kvtk::test {

struct AccessibleNameSweep {
    int Checked = 0;
    QStringList Unnamed;  // class and parent of each control without a name
};

inline AccessibleNameSweep SweepAccessibleNames(QWidget& window) {
    AccessibleNameSweep sweep;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QScrollBar*>(w) ||
                             qobject_cast<QAbstractItemView*>(w);
        const bool comboText =
            qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget());
        if (!control || comboText || !w->isVisibleTo(&window)) continue;
        ++sweep.Checked;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        if (!accessible || accessible->text(QAccessible::Name).isEmpty())
            sweep.Unnamed << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char('/') +
                                 w->parent()->objectName();
    }
    return sweep;
}

}  // namespace kvtk::test
