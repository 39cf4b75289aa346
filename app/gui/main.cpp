// kvtk: the programming tool. The connect dialog is the first window; its
// OK shows the main window.
//
//   kvtk                 ports COM1..COM4 are the system's serial ports
//   kvtk --demo          COM1 is the built-in simulated line of demo panels
//   kvtk --com 2=/dev/ttyUSB0   binds a port choice to a device (repeatable)
//   kvtk panel.kvx       opens that file, offline, instead of the connect dialog
//   kvtk --no-settings   starts from the defaults and remembers nothing
//                        (also when KVTK_NO_SETTINGS is set and not 0)
//   kvtk -v              Qt's own notes reach standard error as well
#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/gui/gui_command_line.h"
#include "comm/panel_line.h"
#include "comm/port_slots.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "ui/device/device_commands.h"
#include "ui/main/frmMain.h"
#include "ui/session/desktop_identity.h"
#include "ui/session/gui_session.h"
#include "ui/session/remembered_settings.h"
#include "ui/session/startup_probe.h"

namespace {

const char* const kDemoLineText = "built-in simulated line";

// Qt's notes (a missing theme, XDG_RUNTIME_DIR not set) are not this
// program's messages; only its failures are, unless -v asks for all.
void QtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kvtk: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    using kvtk::gui::GuiCommandLine;
    // --help, --version and a wrong option need no display: they are
    // answered before the application (and its connection to the screen)
    // exists.
    const GuiCommandLine early = kvtk::gui::ParseGuiCommandLine(
        kvtk::gui::WithoutQtOptions(kvtk::gui::RawArguments(argc, argv)));
    if (early.What == GuiCommandLine::Action::Help ||
        early.What == GuiCommandLine::Action::Version) {
        if (kvtk::gui::WriteFully(early.Text, stdout)) return 0;
        std::fputs("kvtk: the output could not be written.\n", stderr);
        return 1;
    }
    if (early.What == GuiCommandLine::Action::Error) {
        kvtk::gui::WriteFully(early.Text, stderr);
        return 2;
    }
    if (!early.Verbose) qInstallMessageHandler(QtFailuresOnly);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvtk"));
    QApplication::setApplicationVersion(QStringLiteral("5.1"));
    kvtk::ApplyDesktopIdentity();
    const GuiCommandLine options =
        kvtk::gui::ParseGuiCommandLine(QApplication::arguments(), qgetenv("KVTK_NO_SETTINGS"));
    if (options.What != GuiCommandLine::Action::Run) {
        kvtk::gui::WriteFully(options.Text, stderr);
        return 2;
    }

    kvtk::PortSlots portSlots;
    for (const auto& [slot, device] : options.PortBindings) portSlots.Bind(slot, device);

    kvtk::InstallStartupProbe(app);

    const std::unique_ptr<kvtk::RememberedSettings> remembered =
        options.Remember ? kvtk::RememberedSettings::ForUser()
                         : std::make_unique<kvtk::RememberedSettings>();
    kvtk::frmMain window;
    kvtk::GuiSession session(window, std::move(portSlots), remembered.get());
    // The panels of the demonstration keep their state for the whole run,
    // however often COM1 is chosen again.
    std::unique_ptr<kvtk::SimLine> demoLine;
    if (options.Demo) {
        demoLine = kvtk::MakeDemoLine();
        session.Line().BindSlotFactory(
            1, [line = demoLine.get()] { return std::make_unique<kvtk::SimulatedLink>(*line); },
            QString::fromLatin1(kDemoLineText));
    }
    // "Yes" to "Read configuration?" runs the Device menu's Read.
    QObject::connect(&session, &kvtk::GuiSession::readRequested, &window,
                     [&window] { window.Device().Read(); });
    session.Start(options.FileToOpen);
    return QApplication::exec();
}
