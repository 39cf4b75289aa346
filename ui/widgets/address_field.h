#pragma once
// The connect dialog's panel address field: digits only, never above 255
// (a digit that would pass it is refused with a beep), and on leaving an
// empty field or a value below the minimum becomes the minimum, with a beep.
// Ctrl+Shift+F7 in it asks for the hidden product-code command.

#include <QLineEdit>
#include <functional>

#include "ui/widgets/beeper.h"

namespace kvtk {

class PanelAddressField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaximum = 255;
    using Limit = std::function<int()>;

    PanelAddressField(Limit minimum, const Beeper& beeper, QWidget* parent = nullptr);

    int Value() const;
    // Empty or below the minimum: the minimum, with a beep.
    void RunLeaveCheck();

signals:
    void productCodeKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static bool Acceptable(const QString& text);

    Limit minimum_;
    const Beeper& beeper_;
    QString lastGood_;
};

}  // namespace kvtk
