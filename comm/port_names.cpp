#include "comm/port_names.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include "comm/port_slots.h"
#include "comm/serial_link.h"

namespace kvtk {

QString RealDevicePath(const QString& name) {
#ifdef Q_OS_WIN
    // "COM3" is no file: the system's port name is the device.
    return name;
#else
    QString path = SerialDevicePath(name);
    if (!path.isEmpty() && !path.startsWith(QLatin1Char('/')))
        path = QStringLiteral("/dev/") + path;
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
#endif
}

QString StableNameOf(const QString& name, const QString& folder) {
    const QString real = RealDevicePath(name);
    const QDir links(folder);
    for (const QFileInfo& link : links.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (link.isSymLink() && link.canonicalFilePath() == real) return link.absoluteFilePath();
    }
    return {};
}

std::vector<SystemPort> SystemPortsDescribed() {
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QStringList devices;
    for (const QSerialPortInfo& info : infos) devices << info.systemLocation();
    std::vector<SystemPort> ports;
    for (const QString& device : PortSlots::OrderPorts(devices)) {
        for (const QSerialPortInfo& info : infos) {
            if (info.systemLocation() != device) continue;
            QString description = info.description();
            const QString maker = info.manufacturer();
            if (description.isEmpty())
                description = maker;
            else if (!maker.isEmpty() && !description.contains(maker))
                description += QStringLiteral(" (") + maker + QLatin1Char(')');
            ports.push_back({device, description});
            break;
        }
    }
    return ports;
}

PortNames NamePort(const QString& device, const std::vector<SystemPort>& system,
                   const QString& folder) {
    PortNames names{device, StableNameOf(device, folder), {}};
    const QString real = RealDevicePath(device);
    for (const SystemPort& port : system)
        if (RealDevicePath(port.Device) == real) names.Description = port.Description;
    return names;
}

QString PortCaption(const PortNames& names) {
    if (names.Description.isEmpty()) return names.Device;
    return names.Description + QStringLiteral(" - ") + names.Device;
}

}  // namespace kvtk
