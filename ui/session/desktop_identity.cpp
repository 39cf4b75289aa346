#include "ui/session/desktop_identity.h"

#include <QGuiApplication>

namespace kvtk {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/kvtk/icons/org.kvtk.kvtk-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

void ApplyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace kvtk
