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
    ASSERT_TRUE(root.mkdir(QStringLiteral("by-id")));
    const QString byId = root.filePath(QStringLiteral("by-id/"));
    const QString usb0 = root.filePath(QStringLiteral("ttyUSB0"));
    const QString s0 = root.filePath(QStringLiteral("ttyS0"));
    for (const QString& device : {usb0, s0}) ASSERT_TRUE(QFile(device).open(QIODevice::WriteOnly));
    const QString ftdi = byId + QStringLiteral("usb-FTDI_FT232R_A1B2-if00-port0");
    ASSERT_TRUE(QFile::link(QStringLiteral("../ttyUSB0"), ftdi));  // relative, as udev makes them
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("gone")), byId + QStringLiteral("x")));
    const std::vector<SystemPort> system{{usb0, QStringLiteral("FT232R USB UART (FTDI)")},
                                         {s0, QString()}};
    const struct {
        QString name, stable, description;
    } cases[] = {
        {usb0, ftdi, QStringLiteral("FT232R USB UART (FTDI)")},
        {ftdi, ftdi, QStringLiteral("FT232R USB UART (FTDI)")},  // by its stable name
        {s0, QString(), QString()},
        {root.filePath(QStringLiteral("ttyUSB7")), QString(), QString()},  // not there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const PortNames names = NamePort(c.name, system, byId);
        EXPECT_EQ(names.Device, c.name);
        EXPECT_EQ(names.StableName.toStdString(), c.stable.toStdString());
        EXPECT_EQ(names.Description.toStdString(), c.description.toStdString());
    }
    EXPECT_EQ(RealDevicePath(ftdi), usb0);
}

}  // namespace
}  // namespace kvtk
