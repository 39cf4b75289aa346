#include "ui/widgets/printable_text_field.h"

#include <QLineEdit>
#include <QValidator>

#include "model/printable_text.h"
#include "model/windows1252.h"
#include "ui/widgets/beeper.h"

namespace kvtk {
namespace {

class PrintablePanelText : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (const QChar ch : input) {
            unsigned char byte = 0;
            if (IsControlCharacter(ch.unicode()) || !Windows1252Byte(ch.unicode(), byte))
                return Invalid;
        }
        return Acceptable;
    }
};

}  // namespace

void KeepPrintablePanelText(QLineEdit& field) {
    field.setValidator(new PrintablePanelText(&field));
}

void KeepPrintablePanelText(QLineEdit& field, const Beeper& beeper) {
    KeepPrintablePanelText(field);
    QObject::connect(&field, &QLineEdit::inputRejected, &field, [&beeper] { beeper.Beep(); });
}

}  // namespace kvtk
