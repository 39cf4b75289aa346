#pragma once
// The four port choices COM1..COM4 and the devices behind them. On Windows a
// slot is the system port of that name. Elsewhere a slot is bound to a
// device path, explicitly (the programs' "--com N=PATH" option) or else to
// the serial ports the system reports, USB and ACM adapters first, in order.

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "comm/serial_link.h"

namespace kvtk {

class PortSlots {
public:
    static constexpr int kSlotCount = 4;

    // Slots take the system's serial ports (SystemSerialPorts()).
    PortSlots();
    // Slots take the given device paths (tests, or a fixed list).
    explicit PortSlots(QStringList systemPorts);

    // Binds slot n (1..4) to a device; returns false for another n.
    bool Bind(int n, const QString& device);
    // Parses "N=PATH" as given to --com; nothing when malformed.
    static std::optional<std::pair<int, QString>> ParseBinding(const QString& text);

    // The device of slot n, empty when the slot has none.
    QString Device(int n) const;

    // Serial ports as the system reports them, adapters (USB, ACM) first,
    // then built-in ports, each group in name order.
    static QStringList SystemSerialPorts();
    // The same ordering for a list of device paths.
    static QStringList OrderPorts(QStringList devices);

private:
    std::array<QString, kSlotCount + 1> explicit_;  // 1..4
    QStringList systemPorts_;
};

// The port list entry of slot n: "Com" + n.
QString PortEntry(int n);
// The slot number of a port list entry: its last character (0 if none).
int PortEntrySlot(const QString& entry);

// Opens each slot with a device and lists those that open ("Com" + n); each
// is closed again at once. Failures are left out silently.
QStringList DiscoverPorts(const PortSlots& portSlots);

// Why a chosen port could not be opened, in the words to show.
struct PortOpenFailure {
    PortOpenError Kind = PortOpenError::Other;
    QString Title;
    QString Text;
};

// Why slot n (on `device`) could not be opened by `link`, in words:
// "COM2 (/dev/ttyUSB0) is in use by another program.", or for missing
// rights the group that may use it and how to join it.
QString SlotRefusalText(int n, const QString& device, const SerialLink& link);

// Opens slot n for the exchange. On failure returns no link and fills
// `failure`: the "Oops" in-use message, or for missing permission what to do.
std::unique_ptr<SerialLink> OpenPortSlot(const PortSlots& portSlots, int n,
                                         PortOpenFailure& failure);

inline constexpr const char* kPortInUseTitle = "Oops";
inline constexpr const char* kPortInUseText =
    "The port you selected is now in use. Please select another port.";

}  // namespace kvtk
