// Test entry point for non-GUI tests: a QCoreApplication outlives every test so
// that Qt objects (sockets, timers, event loops) can be used inside them.
#include <gmock/gmock.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    // Backups of the program under test go to a folder of this run only.
    const QTemporaryDir data;
    setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    ::testing::InitGoogleMock(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
