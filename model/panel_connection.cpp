#include "model/panel_connection.h"

namespace kvtk {

std::string ConnectionText(const PanelConnection& connection) {
    return connection.IsOnline() ? "Online" : "Offline";
}

std::string PortText(const PanelConnection& connection) {
    switch (connection.Via) {
        case PanelConnection::Way::Relay:
            return "Glintora";
        case PanelConnection::Way::Serial:
            if (connection.Slot >= 1 && connection.Slot <= 4)
                return "COM " + std::to_string(connection.Slot);
            break;
        case PanelConnection::Way::Offline:
            break;
    }
    return "N/A";
}

}  // namespace kvtk
