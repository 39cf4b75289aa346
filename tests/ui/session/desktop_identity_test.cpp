// The desktop's view of the program: the entry its windows belong to, its
// window class (on X11 the application's name, which main() sets) and icon.
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
    QFile entry(QStringLiteral(KVTK_DESKTOP_ENTRY));
    EXPECT_EQ(QFileInfo(entry).completeBaseName(), QString::fromLatin1(kDesktopFileName));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().split('\n').contains("StartupWMClass=kvtk"));
    for (const int size : {16, 48, 256})
        EXPECT_TRUE(QGuiApplication::windowIcon().availableSizes().contains(QSize(size, size)));
}

}  // namespace
}  // namespace kvtk
