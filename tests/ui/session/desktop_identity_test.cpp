// The desktop's view of the program: the entry its windows belong to, its
// window class and its icon, as the packaged desktop entry names them.
#include "ui/session/desktop_identity.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace kvtk {
namespace {

TEST(DesktopIdentityTest, WindowsBelongToThePackagedEntryAndShowItsIcon) {
    ApplyDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QString::fromLatin1(kDesktopFileName));
    const QFileInfo entry(QStringLiteral(KVTK_DESKTOP_ENTRY));
    EXPECT_EQ(entry.completeBaseName(), QString::fromLatin1(kDesktopFileName));
    QFile file(entry.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // On X11 the window class is the application's name, which main() sets.
    EXPECT_TRUE(file.readAll().split('\n').contains("StartupWMClass=kvtk"));

    const QIcon icon = QGuiApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 48, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
}

}  // namespace
}  // namespace kvtk
