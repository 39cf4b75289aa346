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

enum class QtArgument { None, Whole, ValueFollows };

// Whether an argument is one of Qt's documented application options, which
// Qt takes as "-name" or "--name", with a value after "=" or next.
QtArgument QtOptionAt(const QString& argument) {
    static const struct {
        const char* Name;
        bool TakesValue;
    } kQtOptions[] = {
        {"platform", true},        {"platformpluginpath", true},
        {"platformtheme", true},   {"plugin", true},
        {"qwindowgeometry", true}, {"qwindowicon", true},
        {"qwindowtitle", true},    {"session", true},
        {"display", true},         {"geometry", true},
        {"style", true},           {"stylesheet", true},
        {"qmljsdebugger", true},   {"reverse", false},
        {"widgetcount", false},    {"nograb", false},
        {"dograb", false},         {"sync", false},
    };
    if (!argument.startsWith(QLatin1Char('-'))) return QtArgument::None;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0) name.truncate(equals);
    for (const auto& option : kQtOptions) {
        if (name != QLatin1String(option.Name)) continue;
        if (equals >= 0) return option.TakesValue ? QtArgument::Whole : QtArgument::None;
        return option.TakesValue ? QtArgument::ValueFollows : QtArgument::Whole;
    }
    return QtArgument::None;
}

}  // namespace

GuiCommandLine ParseGuiCommandLine(const QStringList& arguments,
                                   const QByteArray& noSettingsVariable) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("KV Programming Kit: programs KV lighting relay panels."));
    const QCommandLineOption help = parser.addHelpOption();
    // -v is verbosity, as in kvtk-cli; the version has only its long name.
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Displays version information."));
    const QCommandLineOption verbose(
        {QStringLiteral("v"), QStringLiteral("verbose")},
        QStringLiteral("Shows Qt's own notes (such as a missing display plugin) on standard "
                       "error; without it only failures are shown."));
    const QCommandLineOption demo(QStringLiteral("demo"), QString::fromLatin1(kDemoHelp));
    const QCommandLineOption com(QStringLiteral("com"),
                                 QStringLiteral("Binds port choice COM<N> (1 to 4) to the serial "
                                                "device PATH. May be given more than once."),
                                 QStringLiteral("N=PATH"));
    const QCommandLineOption noSettings(
        QStringLiteral("no-settings"),
        QStringLiteral("Starts from the defaults and remembers nothing (as does the environment "
                       "variable KVTK_NO_SETTINGS set to anything but 0)."));
    parser.addOption(version);
    parser.addOption(verbose);
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
    result.Verbose = parser.isSet(verbose);
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

QStringList WithoutQtOptions(const QStringList& arguments) {
    QStringList kept{arguments.value(0)};
    for (qsizetype n = 1; n < arguments.size(); ++n) {
        if (arguments[n] == QLatin1String("--")) {  // what follows is no option
            kept += arguments.mid(n);
            break;
        }
        switch (QtOptionAt(arguments[n])) {
            case QtArgument::None:
                kept << arguments[n];
                break;
            case QtArgument::Whole:
                break;
            case QtArgument::ValueFollows:
                ++n;
                break;
        }
    }
    return kept;
}

bool WriteFully(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()),
                                     stream) == static_cast<size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

}  // namespace kvtk::gui
