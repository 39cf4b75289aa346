#include "app/cli/cli_ports.h"

#include <QFile>

#include "app/cli/cli_json.h"
#include "comm/port_names.h"
#include "comm/serial_link.h"

namespace kvtk::cli {
namespace {

struct PortLine {
    PortNames Names;
    bool CanOpen = false;
    QString WhyNot;
};

// Trying is the only way to know: the rights may allow the device while
// another program holds it.
PortLine Probe(const PortNames& names) {
    SerialLink probe;
    PortLine line{names, probe.open(names.Device), {}};
    if (!line.CanOpen) line.WhyNot = probe.failureReason();
    probe.close();
    return line;
}

std::string Field(const QString& text) {
    if (text.isEmpty()) return "-";
    std::string field = text.toLocal8Bit().toStdString();
    // A tab or line break in a description would split the line.
    for (char& c : field)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return field;
}

std::string JsonTextOrNull(const QString& text) {
    return text.isEmpty() ? "null" : JsonUtf8String(text.toUtf8().toStdString());
}

}  // namespace

int RunPorts(CommandContext& c) {
    std::vector<PortLine> lines;
    const std::vector<SystemPort> system = SystemPortsDescribed();
    for (const SystemPort& port : system) lines.push_back(Probe(NamePort(port.Device, system)));
    if (c.Request.Json) {
        std::vector<std::string> ports;
        for (const PortLine& line : lines)
            ports.push_back(JsonObject()
                                .Raw("name", JsonTextOrNull(line.Names.Device))
                                .Raw("stable_name", JsonTextOrNull(line.Names.StableName))
                                .Raw("description", JsonTextOrNull(line.Names.Description))
                                .Flag("can_open", line.CanOpen)
                                .Raw("why_not", JsonTextOrNull(line.WhyNot))
                                .Json());
        c.Out << JsonObject().Raw("ports", JsonArray(ports)).Json() << '\n';
        return kExitOk;
    }
    for (const PortLine& line : lines)
        c.Out << Field(line.Names.Device) << '\t' << Field(line.Names.StableName) << '\t'
              << Field(line.Names.Description) << '\t' << (line.CanOpen ? "yes" : "no") << '\t'
              << Field(line.WhyNot) << '\n';
    return kExitOk;
}

}  // namespace kvtk::cli
