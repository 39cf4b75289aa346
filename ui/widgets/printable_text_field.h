#pragma once
// Name and description fields take only what the core's 8-bit text can
// hold: a control character (a pasted TAB or ESC, say) or a character that
// Windows-1252 has no byte for is refused with a beep, instead of passing
// into the file, the CSV and the report (or turning into "?").

class QLineEdit;

namespace kvtk {

class Beeper;

void KeepPrintablePanelText(QLineEdit& field, const Beeper& beeper);
// The same without a beep, for a field of a dialog that has no beeper.
void KeepPrintablePanelText(QLineEdit& field);

}  // namespace kvtk
