#include "comm/port_slots.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace kvtk {
namespace {

bool IsAdapter(const QString& device) {
    const QString name = device.section(QLatin1Char('/'), -1);
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")) ||
           name.startsWith(QLatin1String("cu.usb")) || name.startsWith(QLatin1String("tty.usb"));
}

}  // namespace

PortSlots::PortSlots() : PortSlots(SystemSerialPorts()) {}

PortSlots::PortSlots(QStringList systemPorts) : systemPorts_(std::move(systemPorts)) {}

bool PortSlots::Bind(int n, const QString& device) {
    if (n < 1 || n > kSlotCount) return false;
    explicit_[static_cast<size_t>(n)] = device;
    return true;
}

std::optional<std::pair<int, QString>> PortSlots::ParseBinding(const QString& text) {
    const auto equals = text.indexOf(QLatin1Char('='));
    if (equals < 1) return std::nullopt;
    bool ok = false;
    const int n = text.left(equals).trimmed().toInt(&ok);
    const QString device = text.mid(equals + 1).trimmed();
    if (!ok || n < 1 || n > kSlotCount || device.isEmpty()) return std::nullopt;
    return std::make_pair(n, device);
}

QString PortSlots::Device(int n) const {
    if (n < 1 || n > kSlotCount) return {};
#ifdef Q_OS_WIN
    if (explicit_[static_cast<size_t>(n)].isEmpty()) return QStringLiteral("COM%1").arg(n);
    return explicit_[static_cast<size_t>(n)];
#else
    if (!explicit_[static_cast<size_t>(n)].isEmpty()) return explicit_[static_cast<size_t>(n)];
    // Unbound portSlots take the system's ports in order, skipping ports that
    // are already bound to a slot explicitly.
    QStringList free;
    for (const QString& device : systemPorts_)
        if (std::find(explicit_.begin(), explicit_.end(), device) == explicit_.end())
            free << device;
    int index = 0;
    for (int slot = 1; slot < n; ++slot)
        if (explicit_[static_cast<size_t>(slot)].isEmpty()) ++index;
    return index < free.size() ? free[index] : QString{};
#endif
}

QStringList PortSlots::SystemSerialPorts() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return OrderPorts(devices);
}

QStringList PortSlots::OrderPorts(QStringList devices) {
    std::stable_sort(devices.begin(), devices.end(), [](const QString& a, const QString& b) {
        const bool adapterA = IsAdapter(a);
        const bool adapterB = IsAdapter(b);
        if (adapterA != adapterB) return adapterA;
        // Natural order: ttyS2 before ttyS10.
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    });
    return devices;
}

QString PortEntry(int n) {
    return QStringLiteral("Com") + QString::number(n);
}

int PortEntrySlot(const QString& entry) {
    if (entry.isEmpty()) return 0;
    const QChar last = entry.back();
    return last.isDigit() ? last.digitValue() : 0;
}

QStringList DiscoverPorts(const PortSlots& portSlots) {
    QStringList entries;
    for (int n = 1; n <= PortSlots::kSlotCount; ++n) {
        const QString device = portSlots.Device(n);
        if (device.isEmpty()) continue;
        SerialLink probe;
        if (probe.open(device)) {
            probe.close();
            entries << PortEntry(n);
        }
    }
    return entries;
}

QString SlotRefusalText(int n, const QString& device, const SerialLink& link) {
    const QString port = PortEntry(n).toUpper() + QStringLiteral(" (") + device + QLatin1Char(')');
    if (link.lastOpenError() == PortOpenError::None) return {};
    if (link.lastOpenError() == PortOpenError::InUse)
        return port + QStringLiteral(" is ") + link.failureReason();
    return port + QStringLiteral(": ") + link.failureReason();
}

std::unique_ptr<SerialLink> OpenPortSlot(const PortSlots& portSlots, int n,
                                         PortOpenFailure& failure) {
    const QString device = portSlots.Device(n);
    auto link = std::make_unique<SerialLink>();
    if (!device.isEmpty() && link->open(device)) return link;
    failure.Kind = device.isEmpty() ? PortOpenError::NotFound : link->lastOpenError();
    failure.Title = QString::fromLatin1(kPortInUseTitle);
    failure.Text = QString::fromLatin1(kPortInUseText);
    // The box's own words first, then what the system says of this port.
    if (!device.isEmpty())
        failure.Text += QStringLiteral("\n\n") + SlotRefusalText(n, device, *link);
    return nullptr;
}

}  // namespace kvtk
