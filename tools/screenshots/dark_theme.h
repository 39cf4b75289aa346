#pragma once
// A dark desktop theme for the screenshot tools (--dark): Qt's Fusion style
// with a dark palette, so the windows can be looked at as a user of a dark
// theme sees them.

class QApplication;

namespace kvtk {

void UseDarkTheme(QApplication& app);

}  // namespace kvtk
