#pragma once
// A "##:##" time field: refuses keys that would leave the limits, keeps its
// colon fixed and completes partly typed values when the edit ends (leaving
// the field or Enter).

#include <QLineEdit>
#include <string>

#include "ui/widgets/beeper.h"
#include "ui/widgets/time_entry.h"

namespace kvtk {

class TimeField : public QLineEdit {
    Q_OBJECT
public:
    TimeField(const TimeLimits& limits, const Beeper& beeper, QWidget* parent = nullptr);

    // Shows a model value (normalised, not completed).
    void SetTime(const std::string& text);
    // The value the field stands for: its text completed, without a beep.
    std::string CompletedTime() const;
    // Ends the edit: completes the text in place, beeping when it corrects.
    void Complete();

signals:
    // Every change of the text, with the completed value it stands for.
    void timeChanged(const QString& completed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Apply(const TimeEdit& edit);
    void TypeDigit(char digit);

    TimeLimits limits_;
    const Beeper& beeper_;
};

}  // namespace kvtk
