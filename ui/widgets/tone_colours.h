#pragma once
// Colours of status texts, taken from the palette so that they read in a
// light or a dark theme alike. The "red" of an alert is the red nearest to
// pure red that still stands out from the window colour (a contrast ratio
// of at least 4.5:1, as for body text); a normal text is the palette's own.

#include <QColor>

class QWidget;

namespace kvtk {

inline constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours, 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// Red, darkened on a light window and lightened on a dark one until it reads.
QColor AlertColour(const QColor& window);

// Shows the widget's text in the alert colour, or back in its palette's own.
void SetAlertTone(QWidget& widget, bool alert);

}  // namespace kvtk
