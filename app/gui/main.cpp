// kvtk: the programming tool. The connect dialog is the first window; its
// OK shows the main window.
//
//   kvtk                 ports COM1..COM4 are the system's serial ports
//   kvtk --demo          COM1 is the built-in simulated line of demo panels
//   kvtk --com 2=/dev/ttyUSB0   binds a port choice to a device (repeatable)
//   kvtk panel.kvx       opens that file, offline, instead of the connect dialog
//   kvtk --no-settings   starts from the defaults and remembers nothing
//                        (also when KVTK_NO_SETTINGS is set and not 0)
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

#include "comm/port_slots.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "ui/device_commands.h"
#include "ui/frmComm.h"
#include "ui/frmMain.h"
#include "ui/gui_session.h"
#include "ui/remembered_settings.h"
#include "ui/startup_probe.h"

namespace {

const char* const kDemoLineText = "built-in simulated line";
const char* const kDemoHelp =
    "COM1 is the built-in simulated line. Its panels: address 1 WQ16 5.00, 2 KV-4800 4.00, "
    "3 KV-4800 3.00, 5 KV-4900 1.09, 7 TMC-1400 4.00, 17 KV-4500 1.07; every other address "
    "is silent.";

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvtk"));
    QApplication::setApplicationVersion(QStringLiteral("5.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("KV Programming Kit: programs KV lighting relay panels."));
    parser.addHelpOption();
    parser.addVersionOption();
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
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "kvtk: give at most one FILE to open (see --help)\n");
        return 2;
    }
    const QString fileToOpen = parser.positionalArguments().value(0);
    const QByteArray noSettingsVariable = qgetenv("KVTK_NO_SETTINGS");
    const bool remember =
        !parser.isSet(noSettings) && (noSettingsVariable.isEmpty() || noSettingsVariable == "0");

    kvtk::PortSlots portSlots;
    for (const QString& binding : parser.values(com)) {
        const auto parsed = kvtk::PortSlots::ParseBinding(binding);
        if (!parsed) {
            std::fprintf(stderr,
                         "kvtk: --com expects N=PATH with N from 1 to 4, for example "
                         "--com 1=/dev/ttyUSB0 (got \"%s\")\n",
                         qPrintable(binding));
            return 2;
        }
        portSlots.Bind(parsed->first, parsed->second);
    }

    kvtk::InstallStartupProbe(app);

    const std::unique_ptr<kvtk::RememberedSettings> remembered =
        remember ? kvtk::RememberedSettings::ForUser()
                 : std::make_unique<kvtk::RememberedSettings>();
    kvtk::frmMain window;
    kvtk::GuiSession session(window, std::move(portSlots), remembered.get());
    // The panels of the demonstration keep their state for the whole run,
    // however often COM1 is chosen again.
    std::unique_ptr<kvtk::SimLine> demoLine;
    if (parser.isSet(demo)) {
        demoLine = kvtk::MakeDemoLine();
        session.Comm().BindSlotFactory(
            1, [line = demoLine.get()] { return std::make_unique<kvtk::SimulatedLink>(*line); },
            QString::fromLatin1(kDemoLineText));
    }
    // "Yes" to "Read configuration?" runs the Device menu's Read.
    QObject::connect(&session, &kvtk::GuiSession::readRequested, &window,
                     [&window] { window.Device().Read(); });
    session.Start(fileToOpen);
    return QApplication::exec();
}
