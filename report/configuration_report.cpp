#include "report/configuration_report.h"

#include <algorithm>
#include <cstdio>

#include "model/conversions.h"
#include "model/local_time.h"
#include "model/products.h"
#include "report/page_writer.h"

namespace kvtk {
namespace {

// Numbers right-aligned in `width` characters ("  7").
std::string RightAligned(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

// Member numbers as the member lines show them: "  7", " 12".
std::string MemberText(int k) {
    return RightAligned(k, 3);
}

const char* PriorityText(int16_t priority) {
    switch (priority) {
        case 0:
            return "No Main Pri";
        case 1:
            return "Main On Pri";
        case 2:
            return "Main Off Pri";
        case 3:
            return "Main OnOff Pri";
        default:
            return "";
    }
}

class ReportBuilder {
public:
    ReportBuilder(const Configuration& config, const ReportRequest& request, const PageGrid& grid)
        : config_(config),
          request_(request),
          writer_(grid, ReportHeaderText(config.Identity, request.PrintedAt)),
          version_(VersionValue(Trim(config.Identity.Version))) {}

    ReportLayout Build() && {
        writer_.PrintPageHeader(false);
        PrintOrigin();
        PrintGeneral();
        PrintInputs();
        PrintGroups();
        PrintClosing();
        return std::move(writer_).Finish();
    }

private:
    int Left() const { return writer_.Grid().LeftMargin; }

    void PrintHeading(const std::string& heading) {
        ReportLine line = PlainLine(Left(), {});
        Append(line, heading, true);
        writer_.Print(line);
    }

    void PrintOrigin() {
        const ReportOrigin& origin = request_.Origin;
        if (!origin.FromFile) {
            writer_.Print(PlainLine(Left(), "Data is not from a saved file."));
            return;
        }
        writer_.Print(PlainLine(Left(), "Originated from file: " + origin.FileName +
                                            "   Created: " + origin.Date + " " + origin.Time));
        writer_.Print(PlainLine(Left(), " Description: " + origin.Description));
    }

    void PrintGeneral() {
        const PanelConfig& panel = config_.Panel;
        const int column = Left() + 2;
        writer_.PrintEmpty();
        PrintHeading("GENERAL INFORMATION");
        writer_.PrintEmpty();
        writer_.Print(PlainLine(column, "Address: " + panel.Address));
        if (!panel.DeviceName.empty())
            writer_.Print(PlainLine(column, "Name: " + panel.DeviceName));
        writer_.Print(PlainLine(column, "Number of Inputs: " + panel.NumInputs));
        writer_.Print(PlainLine(column, "Number of Relays: " + panel.NumRelays));
        writer_.Print(PlainLine(column, "Flash On Time: " + panel.OnTimeAfterFlash + " mm:ss"));
        writer_.Print(PlainLine(column, "Flash Off Time: " + panel.FlashOffTime + " seconds"));
        for (int t = 1; t <= kTimerCount; ++t) {
            writer_.Print(PlainLine(column, "Timer " + std::to_string(t) + ": " +
                                                panel.TimerDuration[static_cast<size_t>(t)] +
                                                " hh:mm"));
        }
        const std::string refresh = Trim(panel.RelayRefresh);
        writer_.Print(PlainLine(
            column, "Relay Refresh Rate: " + refresh + (refresh == "OFF" ? "" : " minutes")));
        writer_.Print(
            PlainLine(column, "Relay Energize Duration: " + panel.RelayEnergize + " seconds"));
    }

    void PrintInputs() {
        writer_.PrintPageHeader(true);
        PrintHeading("INPUT INFORMATION");
        // Only the 120 input records exist, whatever the count field says.
        const int count = std::clamp(CountValue(config_.Panel.NumInputs), 0, kInputCount);
        const std::vector<std::string> types = InputTypeNames(version_);
        for (int n = 1; n <= count; ++n) {
            const std::vector<ReportLine> pieces = writer_.Wrap(InputLine(n, types));
            writer_.KeepTogether(static_cast<int>(pieces.size()));
            for (const ReportLine& piece : pieces) writer_.Print(piece);
        }
    }

    ReportLine InputLine(int n, const std::vector<std::string>& types) const {
        const InputConfig& input = config_.Inputs[static_cast<size_t>(n)];
        ReportLine line = PlainLine(Left() + 2, {});
        std::string label = "Input " + RightAligned(n, 3);
        if (!input.Name.empty()) label += "=" + input.Name;
        Append(line, label + ": ", true);
        const bool knownType = input.Type >= 0 && static_cast<size_t>(input.Type) < types.size();
        Append(line, (knownType ? types[static_cast<size_t>(input.Type)] : std::string()) + ", ");
        Append(line, input.Polarity == 1 ? "Nrm Closed, " : "Nrm Open, ");
        if (input.Group <= config_.Limits.MaxGroups) {
            Append(line, "Grp " + std::to_string(input.Group));
            if (input.Group >= 1 && input.Group <= kGroupCount) {
                const std::string& name = config_.Groups[static_cast<size_t>(input.Group)].Name;
                if (!name.empty()) Append(line, "=" + name);
            }
        }
        Append(line, ", Tmr " + std::to_string(input.Timer) + ", ");
        Append(line, IsOn(input.Flash) ? "Flash" : "No Flash");
        return line;
    }

    void PrintGroups() {
        writer_.PrintPageHeader(true);
        PrintHeading("GROUP INFORMATION");
        const int count = std::clamp(request_.GroupCount, 0, kGroupCount);
        for (int g = 1; g <= count; ++g) {
            writer_.KeepTogether(4);
            writer_.Print(GroupLine(g));
            PrintMembers(config_.Groups[static_cast<size_t>(g)]);
        }
    }

    ReportLine GroupLine(int g) const {
        const GroupConfig& group = config_.Groups[static_cast<size_t>(g)];
        ReportLine line = PlainLine(Left() + 2, {});
        std::string label = "Group " + RightAligned(g, 2);
        if (!group.Name.empty()) label += "=" + group.Name;
        Append(line, label + ": ", true);
        Append(line, group.Type != 0 ? "Super, " : "Normal, ");
        Append(line, std::string(PriorityText(group.Priority)) + ", ");
        Append(line,
               std::string(IsOn(group.SerialOnPriority) ? "Ser On Pri" : "No Ser Pri") + ", ");
        // Firmware up to 1.18 has no group flash.
        if (version_ > 1.18) Append(line, IsOn(group.ConstantFlash) ? "Flash" : "No Flash");
        return line;
    }

    // Members in lines at LeftMargin + 12; a line is printed as soon as one
    // more member would reach the report width.
    void PrintMembers(const GroupConfig& group) {
        const bool super = group.Type != 0;
        const std::string firstLabel = super ? "Groups:" : "Relays:";
        const int last = std::clamp(super ? static_cast<int>(config_.Limits.MaxGroups)
                                          : CountValue(config_.Panel.NumRelays),
                                    0, kMemberCount);
        const int column = Left() + 12;
        const int width = writer_.Grid().ReportWidth;
        std::string label = firstLabel;
        std::string members;
        int running = 19;
        bool any = false;
        for (int k = 1; k <= last; ++k) {
            if (!group.HasMember(k)) continue;
            any = true;
            members += MemberText(k);
            running += 3;
            if (running + 3 >= width) {
                writer_.Print(PlainLine(column, label + members));
                members.clear();
                running = 19;
                label = std::string(7, ' ');
            }
        }
        if (!members.empty()) writer_.Print(PlainLine(column, label + members));
        if (!any) writer_.Print(PlainLine(column, firstLabel + " None"));
    }

    void PrintClosing() {
        writer_.KeepTogether(4);
        writer_.PrintEmpty();
        writer_.PrintRule();
        writer_.Print(PlainLine(Left(), "End of " + writer_.HeaderText()));
        writer_.PrintRule();
    }

    const Configuration& config_;
    const ReportRequest& request_;
    PageWriter writer_;
    double version_;
};

}  // namespace

ReportMoment LocalReportMoment(std::time_t when) {
    const std::tm local = LocalTime(when);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string ReportHeaderText(const ProductIdentity& identity, const ReportMoment& m) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d-%02d-%04d %02d:%02d:%02d", m.Month, m.Day, m.Year,
                  m.Hour, m.Minute, m.Second);
    return identity.Model + " " + identity.Version + " data     Printed: " + stamp;
}

ReportResult BuildConfigurationReport(const Configuration& config, const ReportRequest& request,
                                      const PageGrid& grid) {
    ReportResult result;
    result.Error = PageGridProblem(grid);
    if (result.Error.empty()) result.Layout = ReportBuilder(config, request, grid).Build();
    return result;
}

}  // namespace kvtk
