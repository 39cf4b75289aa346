#pragma once
// A decimal field kept within a range: digits and Backspace only, Enter and
// leaving the field bring an empty or out-of-range value back into range.
// Used for the counts of the main window and the group numbers of the input
// rows.

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "ui/widgets/beeper.h"

namespace kvtk {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    using Limit = std::function<int()>;
    // Checks made after every key release besides the leave check.
    struct ReleaseChecks {
        bool Minimum = false;
        bool Maximum = false;
    };

    NumberField(Limit minimum, Limit maximum, ReleaseChecks releaseChecks, const Beeper& beeper,
                QWidget* parent = nullptr);

    int32_t Value() const;
    int Minimum() const { return minimum_(); }
    int Maximum() const { return maximum_(); }

    // Empty or below the minimum: the minimum; above the maximum: the maximum.
    void RunLeaveCheck();

signals:
    // The leave check ran (the field was left, or Enter was pressed).
    void leaveChecked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Correct(int value);

    Limit minimum_;
    Limit maximum_;
    ReleaseChecks releaseChecks_;
    const Beeper& beeper_;
};

}  // namespace kvtk
