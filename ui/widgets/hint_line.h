#pragma once
// The information line at the bottom of a window: shows the hint of whatever
// part of the window the pointer has entered.

#include <QHash>
#include <QLabel>
#include <functional>

namespace kvtk {

class HintLine : public QLabel {
    Q_OBJECT
public:
    using HintText = std::function<QString()>;
    explicit HintLine(QWidget* parent = nullptr);

    // The pointer entering `widget`, or any of its descendants that has no
    // hint of its own, shows the hint. Composed hints are built when shown.
    void Register(QWidget* widget, const QString& hint);
    void Register(QWidget* widget, HintText hint);

    // The hint `widget` would show (empty when it has none).
    QString HintFor(QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* widget);
    const HintText* Find(QWidget* widget) const;

    QHash<QWidget*, HintText> hints_;
};

}  // namespace kvtk
