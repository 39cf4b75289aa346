#pragma once
// How panels are reached: not at all (offline), through one of the serial
// port choices COM1..COM4, or through the relay server. The texts the
// windows show are made from it where they are shown.

#include <string>

namespace kvtk {

struct PanelConnection {
    enum class Way { Offline, Serial, Relay };

    Way Via = Way::Offline;
    int Slot = 0;  // 1..4 on a serial port choice; 0 for a line named otherwise

    static PanelConnection Offline() { return {}; }
    static PanelConnection Serial(int slot) { return {Way::Serial, slot}; }
    static PanelConnection Relay() { return {Way::Relay, 0}; }

    bool IsOnline() const { return Via != Way::Offline; }
    bool operator==(const PanelConnection&) const = default;
};

// "Online" or "Offline".
std::string ConnectionText(const PanelConnection& connection);
// "COM 1".."COM 4", "Glintora", or "N/A" offline and on a line that is no
// port choice.
std::string PortText(const PanelConnection& connection);

}  // namespace kvtk
