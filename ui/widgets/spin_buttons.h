#pragma once
// An up/down button pair that steps a numeric field by one. Holding a button
// repeats, faster the longer it is held; one SpinTick, owned by the main
// window, paces every pair. The Up and Down keys in the field step it too.

#include <QWidget>
#include <functional>

#include "model/conversions.h"
#include "ui/widgets/beeper.h"

class QLineEdit;
class QToolButton;

namespace kvtk {

class SpinButtons : public QWidget {
    Q_OBJECT
public:
    using Limit = std::function<int()>;
    // The down button stops at `downLimit`, the up button at `upLimit`.
    SpinButtons(QLineEdit* field, Limit downLimit, Limit upLimit, SpinTick& tick,
                const Beeper& beeper, const QString& accessibleName, QWidget* parent = nullptr);

    // One step (1 up, anything else down), as a press of a button does.
    void Step(int direction);
    int RepeatDelay() const;
    void SetAccessibleNames(const QString& name);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
    Limit downLimit_;
    Limit upLimit_;
    SpinTick& tick_;
    const Beeper& beeper_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace kvtk
