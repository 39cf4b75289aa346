#include "app/gui/gui_command_line.h"

#include <QCommandLineParser>
#include <cstdio>

#include "comm/port_slots.h"
#include "model/program_notice.h"

namespace kvtk::gui {
namespace {

const char* const kDemoHelp =
    "COM1 is the built-in simulated line. Its panels: address 1 WQ16 5.00, 2 KV-4800 4.00, "
    "3 KV-4800 3.00, 5 KV-4900 1.09, 7 TMC-1400 4.00, 17 KV-4500 1.07; every other address "
    "is silent.";

}  // namespace

GuiCommandLine ParseGuiCommandLine(const QStringList& arguments,
                                   const QByteArray& noSettingsVariable) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("KV Programming Kit: programs KV lighting relay panels."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption demo(QStringLiteral("demo"), QString::fromLatin1(kDemoHelp));
    const QCommandLineOption com(QStringLiteral("com"),
                                 QStringLiteral("Binds port choice COM<N> (1 to 4) to the serial "
                                                "device PATH. May be given more than once."),
                                 QStringLiteral("N=PATH"));
    const QCommandLineOption noSettings(
        QStringLiteral("no-settings"),
        QStringLiteral("Starts from the defaults and remembers nothing (as does the environment "
                       "variable KVTK_NO_SETTINGS set to anything but 0)."));
    parser.addOption(demo);
    parser.addOption(com);
    parser.addOption(noSettings);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A .kvx file to open at start, offline, for the "
                                                "device named in its header."),
                                 QStringLiteral("[FILE]"));

    GuiCommandLine result;
    const bool parsed = parser.parse(arguments);
    // Help and version win over anything else on the line, as they are
    // answered before Qt's own options have been taken away.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.What = GuiCommandLine::Action::Help;
        result.Text =
            parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("kvtk"));
        return result;
    }
    if (parser.isSet(version)) {
        result.What = GuiCommandLine::Action::Version;
        result.Text = QStringLiteral("kvtk 5.1\n") + QString::fromLatin1(kVersionNotice);
        return result;
    }
    if (!parsed) {
        result.What = GuiCommandLine::Action::Error;
        result.Text = QStringLiteral("kvtk: ") + parser.errorText() +
                      QStringLiteral("\nTry 'kvtk --help'.\n");
        return result;
    }
    if (parser.positionalArguments().size() > 1) {
        result.What = GuiCommandLine::Action::Error;
        result.Text = QStringLiteral("kvtk: give at most one FILE to open (see --help)\n");
        return result;
    }
    result.FileToOpen = parser.positionalArguments().value(0);
    result.Remember =
        !parser.isSet(noSettings) && (noSettingsVariable.isEmpty() || noSettingsVariable == "0");
    result.Demo = parser.isSet(demo);
    for (const QString& binding : parser.values(com)) {
        const auto bound = PortSlots::ParseBinding(binding);
        if (!bound) {
            result.What = GuiCommandLine::Action::Error;
            result.Text = QStringLiteral(
                              "kvtk: --com expects N=PATH with N from 1 to 4, for example "
                              "--com 1=/dev/ttyUSB0 (got \"%1\")\n")
                              .arg(binding);
            return result;
        }
        result.PortBindings.push_back(*bound);
    }
    return result;
}

QStringList RawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int n = 0; n < argc; ++n) arguments << QString::fromLocal8Bit(argv[n]);
    return arguments;
}

bool WriteFully(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()),
                                     stream) == static_cast<size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

}  // namespace kvtk::gui
