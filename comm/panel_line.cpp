#include "comm/panel_line.h"

#include <algorithm>

#include "comm/byte_link.h"
#include "comm/serial_link.h"
#include "comm/traffic_tap.h"
#include "model/prompter.h"
#include "model/windows1252.h"

namespace kvtk {
namespace {

// The prompter takes 8-bit text; what Windows-1252 cannot hold becomes "?".
std::string CoreText(const QString& text) {
    std::string result;
    for (const QChar unit : text) {
        unsigned char byte = 0;
        result += Windows1252Byte(unit.unicode(), byte) ? static_cast<char>(byte) : '?';
    }
    return result;
}

}  // namespace

PanelLine::PanelLine(PortSlots portSlots, Prompter& prompter, QObject* parent)
    : QObject(parent),
      portSlots_(std::move(portSlots)),
      prompter_(prompter),
      exchange_(settings_, prompter_) {
    exchange_.SetRelayConnection(&relay_);
    relay_.SetTrafficLog(&traffic_);
    ScanPorts();
}

PanelLine::~PanelLine() {
    ClosePort();
    relay_.Close();
}

void PanelLine::BindSlotFactory(int n, LinkFactory factory, const QString& description) {
    if (n < 1 || n > PortSlots::kSlotCount) return;
    factories_[static_cast<size_t>(n)] = std::move(factory);
    factoryText_[static_cast<size_t>(n)] = description;
    // The slot no longer takes one of the system's ports.
    portSlots_.Bind(n, description);
    ScanPorts();
}

QString PanelLine::SlotDevice(int n) const {
    if (n < 1 || n > PortSlots::kSlotCount) return {};
    if (factories_[static_cast<size_t>(n)]) return factoryText_[static_cast<size_t>(n)];
    return portSlots_.Device(n);
}

bool PanelLine::Usable(int n) const {
    return std::find(usable_.begin(), usable_.end(), n) != usable_.end();
}

PortNames PanelLine::SlotNames(int n) const {
    if (n < 1 || n > PortSlots::kSlotCount) return {};
    return names_[static_cast<size_t>(n)];
}

QString PanelLine::SlotRefusal(int n) const {
    if (n < 1 || n > PortSlots::kSlotCount) return {};
    return refusals_[static_cast<size_t>(n)];
}

int PanelLine::SlotOfDevice(const QString& name) const {
    if (name.isEmpty()) return 0;
    const QString real = RealDevicePath(name);
    for (int n = 1; n <= PortSlots::kSlotCount; ++n) {
        // A line that is no device goes by its description alone.
        if (factories_[static_cast<size_t>(n)]) {
            if (name == factoryText_[static_cast<size_t>(n)]) return n;
            continue;
        }
        const QString device = SlotDevice(n);
        if (!device.isEmpty() && RealDevicePath(device) == real) return n;
    }
    return 0;
}

void PanelLine::ScanPorts() {
    ClosePort();
    usable_.clear();
    const std::vector<SystemPort> system = SystemPortsDescribed();
    for (int n = 1; n <= PortSlots::kSlotCount; ++n) {
        const auto i = static_cast<size_t>(n);
        bool usable = static_cast<bool>(factories_[i]);
        const QString device = SlotDevice(n);
        names_[i] =
            usable || device.isEmpty() ? PortNames{device, {}, {}} : NamePort(device, system);
        refusals_[i].clear();
        if (!usable && !device.isEmpty()) {
            SerialLink probe;
            usable = probe.open(device);
            if (!usable) refusals_[i] = SlotRefusalText(n, device, probe);
            probe.close();
        }
        if (usable) usable_.push_back(n);
    }
    emit portListChanged();
}

bool PanelLine::OpenSlot(int n) {
    if (!Usable(n)) {
        ClosePort();
        return false;
    }
    if (openSlot_ == n) return true;
    ClosePort();
    std::unique_ptr<ByteLink> link;
    if (const LinkFactory& factory = factories_[static_cast<size_t>(n)]) {
        link = factory();
    } else {
        PortOpenFailure failure;
        link = OpenPortSlot(portSlots_, n, failure);
        if (!link) {
            prompter_.Ask({CoreText(failure.Title), CoreText(failure.Text), MessageButtons::Ok,
                           MessageIcon::Exclamation});
            ScanPorts();
            return false;
        }
    }
    ownedLink_ = std::move(link);
    Attach(*ownedLink_);
    openSlot_ = n;
    emit portOpened(n);
    return true;
}

void PanelLine::ClosePort() {
    const bool wasOpen = link_ != nullptr;
    exchange_.SetSerialLink(nullptr);
    tap_.reset();
    disconnect(linkLost_);
    // A link handed in from outside belongs to whoever handed it in.
    if (ownedLink_) ownedLink_->close();
    ownedLink_.reset();
    link_ = nullptr;
    openSlot_ = 0;
    if (wasOpen) emit portClosed();
}

void PanelLine::UseLink(std::unique_ptr<ByteLink> link) {
    ClosePort();
    ownedLink_ = std::move(link);
    Attach(*ownedLink_);
}

void PanelLine::UseLink(ByteLink& link) {
    ClosePort();
    Attach(link);
}

void PanelLine::Attach(ByteLink& link) {
    link_ = &link;
    tap_ = std::make_unique<TrafficTap>(link, traffic_);
    exchange_.SetSerialLink(tap_.get());
    exchange_.SetConnectionMode(ConnectionMode::Serial);
    linkLost_ = connect(&link, &ByteLink::linkLost, this, &PanelLine::portFailed);
}

bool PanelLine::Choose(const PanelConnection& choice) {
    exchange_.SetConnectionMode(ConnectionMode::Serial);
    exchange_.SetOffline(choice.Via == PanelConnection::Way::Offline);
    switch (choice.Via) {
        case PanelConnection::Way::Offline:
            ClosePort();
            relay_.Close();
            return true;
        case PanelConnection::Way::Relay:
            ClosePort();
            exchange_.SetConnectionMode(ConnectionMode::Relay);
            return true;
        case PanelConnection::Way::Serial:
            OpenSlot(choice.Slot);
            relay_.Close();
            return openSlot_ == choice.Slot && openSlot_ != 0;
    }
    return false;
}

PanelConnection PanelLine::Connection() const {
    if (exchange_.Offline()) return PanelConnection::Offline();
    if (exchange_.Mode() == ConnectionMode::Relay) return PanelConnection::Relay();
    return PanelConnection::Serial(openSlot_);
}

}  // namespace kvtk
