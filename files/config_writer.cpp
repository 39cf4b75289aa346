#include "files/config_writer.h"

#include <algorithm>
#include <ctime>
#include <sstream>

#include "files/file_header.h"
#include "files/safe_save.h"
#include "model/conversions.h"
#include "model/local_time.h"
#include "model/products.h"

namespace kvtk {
namespace {

const std::string kRule(40, '-');

class LineWriter {
public:
    // One item per line: a line break inside a value (a name taken from a
    // panel, say) would start a line of its own and could end a section, so
    // it is written as a blank.
    void Line(std::string text) {
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        text_ += text + "\r\n";
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

std::string Number(int n) {
    return std::to_string(n);
}

void WriteInput(LineWriter& out, int n, const InputConfig& input,
                const std::vector<std::string>& types) {
    out.Line("Line #" + Number(n));
    out.Line("Name = " + input.Name);
    const bool listed = input.Type >= 0 && input.Type < static_cast<int>(types.size());
    out.Line("Contact Type = " + (listed ? types[static_cast<size_t>(input.Type)] : std::string{}));
    out.Line("Timer = " + Number(input.Timer));
    out.Line(IsOn(input.Flash) ? "Flash = ON" : "Flash = OFF");
    out.Line(input.Polarity == 1 ? "Polarity = Normally Closed" : "Polarity = Normally Open");
    out.Line("Zone = " + Number(input.Group));
}

void WriteGroup(LineWriter& out, int g, const GroupConfig& group, int maxMembers) {
    static const char* const kPriority[] = {"None", "On", "Off", "On/Off"};
    out.Line("Zone #" + Number(g));
    out.Line("Name = " + group.Name);
    out.Line(group.Type != 0 ? "Type = Super" : "Type = Normal");
    for (int k = 1; k <= maxMembers; ++k)
        if (group.HasMember(k)) out.Line("Child = " + Number(k));
    if (group.Priority >= 0 && group.Priority <= 3)
        out.Line(std::string("Priority = ") + kPriority[group.Priority]);
    out.Line(IsOn(group.SerialOnPriority) ? "Serial Override = Enabled"
                                          : "Serial Override = Disabled");
    out.Line(IsOn(group.ConstantFlash) ? "Constant Flash = Enabled" : "Constant Flash = Disabled");
}

}  // namespace

FileStamp LocalFileStamp(std::time_t when, const std::string& description) {
    const std::tm local = LocalTime(when);
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%m-%d-%y", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {date, time, description};
}

FileStamp LocalFileStamp(const std::string& description) {
    return LocalFileStamp(std::time(nullptr), description);
}

std::string ConfigFileText(const Configuration& config, const FileStamp& stamp) {
    const PanelConfig& panel = config.Panel;
    const std::string& model = config.Identity.Model;
    LineWriter out;

    out.Line(kRule);
    out.Line(model + " " + config.Identity.Version + " data");
    out.Line(kRule);
    out.Line("File Header");
    out.Line("Date=" + stamp.Date);
    out.Line("Time=" + stamp.Time);
    out.Line("Desc=" + Trim(stamp.Description));
    out.Line(kRule);

    out.Line("Panel Information");
    out.Line("Address=" + panel.Address);
    const int32_t address = CountValue(panel.Address);
    const bool knownAddress = address >= 0 && address < kAddressCount;
    out.Line("Name=" + (knownAddress ? config.AddressTable[static_cast<size_t>(address)].Name
                                     : std::string{}));
    out.Line("Inputs=" + panel.NumInputs);
    out.Line("Relays=" + panel.NumRelays);
    for (int t = 1; t <= kTimerCount; ++t)
        out.Line("Timer " + Number(t) + "=" + panel.TimerDuration[static_cast<size_t>(t)]);
    out.Line("Flash On Time=" + panel.OnTimeAfterFlash);
    out.Line("Flash Off Time=" + panel.FlashOffTime);
    out.Line("Refresh Duration=" + Trim(panel.RelayRefresh));
    out.Line("Relay Energize Duration=" + panel.RelayEnergize);
    out.Line("Units At 0V=" + panel.UnitsAt0V);
    out.Line("Units At 5V=" + panel.UnitsAt5V);
    out.Line(kRule);

    out.Line("Input Information");
    int16_t bitCount = 8;
    out.Line("Special Option = " + NumberToBits(panel.SpecialOptions, bitCount));
    const std::vector<std::string> types = InputTypeNames(VersionValue(config.Identity.Version));
    const int inputs = std::clamp<int32_t>(CountValue(panel.NumInputs), 0, kInputCount);
    for (int n = 1; n <= inputs; ++n)
        WriteInput(out, n, config.Inputs[static_cast<size_t>(n)], types);
    out.Line(kRule);

    out.Line("Group Information");
    const int groups = std::clamp<int>(config.Limits.MaxGroups, 0, kGroupCount);
    const int members = std::clamp<int>(config.Limits.MaxRelays, 0, kMemberCount);
    for (int g = 1; g <= groups; ++g)
        WriteGroup(out, g, config.Groups[static_cast<size_t>(g)], members);
    out.Line(kRule);
    out.Line("End of " + model + " Data");
    out.Line(kRule);
    return out.Take();
}

bool ConfigTextOpens(const std::string& text) {
    std::istringstream in(text);
    return ReadHeaderStream(in).Usable();
}

FileResult WriteConfigFile(const std::string& fileName, const Configuration& config,
                           const FileStamp& stamp) {
    return SaveFileAtomically(fileName, ConfigFileText(config, stamp));
}

}  // namespace kvtk
