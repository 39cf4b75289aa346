// A port's stable name is the by-id link that leads to its device, however
// the device is named; its description is the system's for that device.
#include "comm/port_names.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kvtk {
namespace {

TEST(PortNames, StableNameAndDescriptionFollowTheDeviceNotItsName) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("by-id")));
    const QString byId = root.filePath(QStringLiteral("by-id"));
    const auto device = [&root](const char* name) {
        const QString path = root.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    };
    const QString usb0 = device("ttyUSB0");
    const QString usb1 = device("ttyUSB1");
    const QString s0 = device("ttyS0");
    const QString ftdi = byId + QStringLiteral("/usb-FTDI_FT232R_A1B2-if00-port0");
    const QString ch340 = byId + QStringLiteral("/usb-1a86_USB_Serial-if00-port0");
    // udev's links are relative: ../../ttyUSB0.
    ASSERT_TRUE(QFile::link(QStringLiteral("../ttyUSB0"), ftdi));
    ASSERT_TRUE(QFile::link(usb1, ch340));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("gone")),
                            byId + QStringLiteral("/usb-unplugged-if00")));
    const std::vector<SystemPort> system{
        {usb0, QStringLiteral("FT232R USB UART (FTDI)")}, {usb1, QString()}, {s0, QString()}};

    const struct {
        QString name;
        QString stable;
        QString description;
    } cases[] = {
        {usb0, ftdi, QStringLiteral("FT232R USB UART (FTDI)")},
        {ftdi, ftdi, QStringLiteral("FT232R USB UART (FTDI)")},  // by its stable name
        {usb1, ch340, QString()},
        {s0, QString(), QString()},
        {root.filePath(QStringLiteral("ttyUSB7")), QString(), QString()},  // not there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const PortNames names = NamePort(c.name, system, byId);
        EXPECT_EQ(names.Device, c.name);
        EXPECT_EQ(names.StableName, c.stable);
        EXPECT_EQ(names.Description, c.description);
    }
    EXPECT_EQ(RealDevicePath(ftdi), usb0);
    EXPECT_TRUE(NamePort(usb0, system, root.filePath(QStringLiteral("none"))).StableName.isEmpty());
}

}  // namespace
}  // namespace kvtk
