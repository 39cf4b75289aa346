#pragma once
// The group editor's group number field: a digit that would make the number
// exceed the highest group is refused with a beep; leaving the field empty,
// at 0 or above the highest group brings it back to a group. Other keys are
// not filtered (their text reads as no number).

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "ui/widgets/beeper.h"

namespace kvtk {

class GroupNumberField : public QLineEdit {
    Q_OBJECT
public:
    using Limit = std::function<int()>;
    GroupNumberField(Limit maxGroups, const Beeper& beeper, QWidget* parent = nullptr);

    int32_t Value() const;
    // Empty or 0 becomes "1", above the highest group that group; with a beep.
    void RunLeaveCheck();

signals:
    // Something is dragged over the field.
    void dragEntered();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;

private:
    Limit maxGroups_;
    const Beeper& beeper_;
};

}  // namespace kvtk
