// Draws the group check and input check windows polling address 1 of the
// demonstration line (in process, under Qt's offscreen platform) and saves
// them as pictures for the README.
//   live_screenshots OUTPUT_DIR NAMES_FILE
// NAMES_FILE is the demo site's .kvx file, whose group names the group
// window shows.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/policy_prompter.h"
#include "files/config_reader.h"
#include "model/products.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "tools/screenshots/dark_theme.h"
#include "ui/live/frmGroupCheck.h"
#include "ui/live/frmInputCheck.h"
#include "ui/live/group_indicator.h"

namespace {

// Lets the window's loop run `passes` more passes.
void RunPasses(kvtk::LiveWindow& window, int passes) {
    QEventLoop loop;
    int seen = 0;
    const auto connection = QObject::connect(&window, &kvtk::LiveWindow::passFinished, [&] {
        if (++seen >= passes) loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
}

bool Save(kvtk::LiveWindow& window, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool saved = window.grab().save(path);
    std::printf("%s%s\n", qPrintable(path), saved ? "" : ": not saved");
    window.close();
    QEventLoop loop;
    QObject::connect(&window, &kvtk::LiveWindow::loopEnded, &loop, &QEventLoop::quit);
    if (window.Looping()) loop.exec();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--dark") == 0) {
        kvtk::UseDarkTheme(app);
        ++argv;
        --argc;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: live_screenshots [--dark] OUTPUT_DIR NAMES_FILE\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    kvtk::Configuration config;
    config.Identity = {"WQ16", "5.00"};
    kvtk::ApplyProductCapabilities(config, "WQ16", "5.00");
    config.Panel.Address = "1";
    config.Status.Connection = kvtk::PanelConnection::Serial(1);
    if (!kvtk::ReadConfigFile(argv[2], config, kvtk::ReadMode::NamesOnly).Ok()) {
        std::fprintf(stderr, "live_screenshots: cannot read %s\n", argv[2]);
        return 4;
    }

    kvtk::SimulatedLink link(kvtk::MakeDemoLine());
    kvtk::ExchangeSettings settings;
    kvtk::PolicyPrompter prompter(kvtk::FailurePolicy::Abort);
    kvtk::CommandExchange exchange(settings, prompter);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);

    kvtk::frmGroupCheck groups(config, exchange);
    groups.Start();
    RunPasses(groups, 2);
    // Group 3's status, asked with Enter as a technician would.
    groups.picGroup(3)->setFocus(Qt::TabFocusReason);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(groups.picGroup(3), &enter);
    RunPasses(groups, 2);
    bool ok = Save(groups, dir, "group-check.png");

    kvtk::frmInputCheck inputs(config, exchange);
    inputs.Start();
    RunPasses(inputs, 2);
    ok = Save(inputs, dir, "input-check.png") && ok;
    return ok ? 0 : 1;
}
