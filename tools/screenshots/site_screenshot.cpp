// site_screenshot DIR SITE: the Site window on the demo line with the site
// folder SITE after "Compare All", saved as DIR/site-window.png.
#include <QApplication>
#include <QDir>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "ui/comm/message_prompter.h"
#include "ui/site/frmSite.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: site_screenshot DIR SITE\n");
        return 2;
    }
    using namespace kvtk;
    const std::unique_ptr<SimLine> line = MakeDemoLine();
    SimulatedLink link(*line);
    ExchangeSettings settings;
    settings.SetMaxResponseMs(60);
    MessagePrompter prompts;
    CommandExchange exchange(settings, prompts);
    exchange.SetOffline(false);
    exchange.SetSerialLink(&link);
    frmSite site(exchange);
    // No backups of this machine's own store in the picture.
    QTemporaryDir backups;
    site.SetBackupFolder(backups.path());
    site.SetQuickScan(true);
    site.OpenFolder(QString::fromLocal8Bit(argv[2]));
    site.show();
    site.CompareAll();
    site.tblSite()->selectRow(1);
    QApplication::processEvents();
    const QString path =
        QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("site-window.png"));
    const bool saved = site.grab().save(path);
    std::printf("%s%s\n", qPrintable(path), saved ? "" : ": not written");
    return saved ? 0 : 1;
}
