#pragma once
// The names a serial device goes by: the kernel's (/dev/ttyUSB0, which
// changes when adapters are plugged in another order), the stable one udev
// links to it under /dev/serial/by-id, and the description the system has
// for it.

#include <QString>
#include <vector>

namespace kvtk {

inline constexpr const char* kStableNameFolder = "/dev/serial/by-id";

// The device file a port name leads to, symlinks resolved; "ttyUSB0" means
// /dev/ttyUSB0 as the serial port would take it. The name itself when it
// leads nowhere.
QString RealDevicePath(const QString& name);

// The link in `folder` that leads to the same device as `name`; empty when
// there is none.
QString StableNameOf(const QString& name, const QString& folder);

struct PortNames {
    QString Device;       // as given
    QString StableName;   // empty when udev made none
    QString Description;  // "FT232R USB UART (FTDI)"; empty when the system has none
};

// A port the system reports, with what it says of it.
struct SystemPort {
    QString Device;
    QString Description;
};

// The serial ports the system reports, adapters first (PortSlots' order).
std::vector<SystemPort> SystemPortsDescribed();

// The names of `device`: its stable name from `folder` and the
// description `system` has for the same device.
PortNames NamePort(const QString& device, const std::vector<SystemPort>& system,
                   const QString& folder = QString::fromLatin1(kStableNameFolder));

// What a port list shows for a port: the description and the kernel name,
// "FT232R USB UART (FTDI) - /dev/ttyUSB0", or the device alone.
QString PortCaption(const PortNames& names);

}  // namespace kvtk
