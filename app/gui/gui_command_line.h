#pragma once
// kvtk's command line. It is read once before the application exists, Qt's
// own options (-platform, -style, ...) set aside, so that --help, --version
// and a wrong option are answered without a display; and once after, when
// the application has taken those options away.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <utility>
#include <vector>

namespace kvtk::gui {

struct GuiCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action What = Action::Run;
    QString Text;  // the help, version or error text to print
    bool Demo = false;
    std::vector<std::pair<int, QString>> PortBindings;  // --com N=PATH, in order
    QString FileToOpen;    // a .kvx file to open at start, offline; empty for none
    bool Remember = true;  // false with --no-settings or KVTK_NO_SETTINGS set and not 0
    bool Verbose = false;  // -v: Qt's own notes reach standard error too
};

// `arguments` starts with the program name; `noSettingsVariable` is the value
// of KVTK_NO_SETTINGS (empty when unset).
GuiCommandLine ParseGuiCommandLine(const QStringList& arguments,
                                   const QByteArray& noSettingsVariable = {});

// The arguments as the system gave them, before any application exists.
QStringList RawArguments(int argc, char** argv);

// The arguments without the options the Qt application takes for itself
// ("-platform offscreen", "--style=Fusion", "-reverse", ...).
QStringList WithoutQtOptions(const QStringList& arguments);

// Writes the text in full; false when it could not be written.
bool WriteFully(const QString& text, std::FILE* stream);

}  // namespace kvtk::gui
