// kvtk: the programming tool's main window. Until the connect dialog exists
// it starts offline with the default product of the catalogue.
#include <QApplication>

#include "model/products.h"
#include "ui/frmMain.h"
#include "ui/startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvtk"));
    QApplication::setApplicationVersion(QStringLiteral("5.1"));
    kvtk::InstallStartupProbe(app);

    kvtk::frmMain window;
    kvtk::ConnectChoice offline;
    offline.Product = kvtk::ProductCatalogue().at(kvtk::kDefaultCataloguePosition);
    window.ApplyConnectChoice(offline);
    window.show();
    return QApplication::exec();
}
