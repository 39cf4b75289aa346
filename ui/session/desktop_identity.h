#pragma once
// How the desktop knows the program: the desktop entry its windows belong
// to (a dock matches them to it, shows its icon and can pin it; on X11 the
// entry's StartupWMClass names the window class "kvtk") and the window icon,
// the packaged icon built into the program.

#include <QIcon>

namespace kvtk {

inline constexpr const char* kDesktopFileName = "org.kvtk.kvtk";

// The packaged icon in every size it is drawn in.
QIcon ProgramIcon();
// Gives the application its desktop entry and window icon; a
// QGuiApplication must exist.
void ApplyDesktopIdentity();

}  // namespace kvtk
