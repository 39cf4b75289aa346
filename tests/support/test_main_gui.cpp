// Test entry point for widget tests: offscreen unless told otherwise, and
// remembered settings in a temporary folder, never the user's own.
#include <gmock/gmock.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    // Backups of the program under test go to a folder of this run only.
    const QTemporaryDir data;
    setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KVTK_NO_SETTINGS", "1", 1);
    ::testing::InitGoogleMock(&argc, argv);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settings.path());
    return RUN_ALL_TESTS();
}
