#pragma once
// The one owner of the way to the panels for a run: the exchange settings
// and the command exchange, the serial port or other link with its traffic
// tap, the relay server connection, the traffic log, and the four port
// choices with the list of those that can be opened now. Windows and the
// command-line companion show and steer it; none of them holds a link.

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/port_names.h"
#include "comm/port_slots.h"
#include "comm/relay_connection.h"
#include "comm/traffic_log.h"
#include "model/panel_connection.h"

namespace kvtk {

class ByteLink;
class Prompter;
class TrafficTap;

class PanelLine : public QObject {
    Q_OBJECT
public:
    // Opens the line behind a slot that is not a device (the built-in
    // simulated line of the demonstration mode).
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    // Failures of exchanges and of opening a port are asked through
    // `prompter`, which must outlive the line.
    PanelLine(PortSlots portSlots, Prompter& prompter, QObject* parent = nullptr);
    ~PanelLine() override;

    ExchangeSettings& Settings() { return settings_; }
    CommandExchange& Exchange() { return exchange_; }
    RelayConnection& Relay() { return relay_; }
    Prompter& Prompts() { return prompter_; }
    // Every frame sent and line received, serial and relay alike.
    TrafficLog& Traffic() { return traffic_; }

    // Slot n (1..4) opens through `factory`; `description` is its device as
    // the port list shows it. Rescans the ports.
    void BindSlotFactory(int n, LinkFactory factory, const QString& description);
    // Closes the port and finds the usable ports again.
    void ScanPorts();
    // The slots that could be opened at the last scan, in order.
    const std::vector<int>& UsableSlots() const { return usable_; }
    bool Usable(int n) const;
    // The device behind slot n, as the port list shows it.
    QString SlotDevice(int n) const;
    // Slot n's device with its stable name and description, as of the last
    // scan.
    PortNames SlotNames(int n) const;
    // Why slot n could not be opened at the last scan, in words; empty when
    // it could or has no device.
    QString SlotRefusal(int n) const;
    // The slot whose device `name` leads to (a stable name remembered from an
    // earlier run, say), 0 when none.
    int SlotOfDevice(const QString& name) const;

    // Opens slot n in place of any open port. When the slot is not usable
    // the port stays closed; when it cannot be opened the failure is asked
    // through the prompter and the ports are scanned again.
    bool OpenSlot(int n);
    void ClosePort();
    // The slot of the open port, 0 when none.
    int OpenSlotNumber() const { return openSlot_; }

    // A link from outside the port list (a device path, the simulated line,
    // a test's link), used from now on as the online serial line.
    void UseLink(std::unique_ptr<ByteLink> link);
    void UseLink(ByteLink& link);

    // Applies a connection choice: offline closes the port and the relay
    // connection; a serial slot opens that port and closes the relay
    // connection; the relay choice closes the port. False when the chosen
    // port could not be opened (the line is left without a port).
    bool Choose(const PanelConnection& choice);
    // How panels are reached now.
    PanelConnection Connection() const;

signals:
    void portListChanged();
    void portOpened(int slot);
    void portClosed();
    // The open link broke (cable pulled, device gone).
    void portFailed(const QString& reason);

private:
    void Attach(ByteLink& link);

    PortSlots portSlots_;
    Prompter& prompter_;
    std::array<LinkFactory, PortSlots::kSlotCount + 1> factories_;
    std::array<QString, PortSlots::kSlotCount + 1> factoryText_;
    std::vector<int> usable_;
    std::array<PortNames, PortSlots::kSlotCount + 1> names_;
    std::array<QString, PortSlots::kSlotCount + 1> refusals_;

    ExchangeSettings settings_;
    CommandExchange exchange_;
    RelayConnection relay_;
    TrafficLog traffic_;
    std::unique_ptr<ByteLink> ownedLink_;
    ByteLink* link_ = nullptr;
    std::unique_ptr<TrafficTap> tap_;  // link_ as the exchange uses it
    QMetaObject::Connection linkLost_;
    int openSlot_ = 0;
};

}  // namespace kvtk
