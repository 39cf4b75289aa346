// Test entry point for non-GUI tests: a QCoreApplication outlives every test so
// that Qt objects (sockets, timers, event loops) can be used inside them.
#include <gmock/gmock.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
