#include "app/cli/cli_commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/cli/cli_compare.h"
#include "app/cli/cli_names.h"
#include "files/config_reader.h"
#include "files/config_writer.h"
#include "files/file_header.h"
#include "files/open_save_rules.h"
#include "model/products.h"
#include "report/configuration_report.h"
#include "report/page_grid.h"
#include "report/pdf/report_painter.h"
#include "report/text_renderer.h"
#include "transfer/address_change.h"
#include "transfer/address_scan.h"
#include "transfer/bad_relays.h"
#include "transfer/group_monitor.h"
#include "transfer/input_monitor.h"
#include "transfer/read_configuration.h"
#include "transfer/reset_panel.h"
#include "transfer/write_configuration.h"

namespace kvtk::cli {
namespace {

// A plain-text report page: 80 characters across, 60 lines down.
constexpr int kTextReportColumns = 80;
constexpr int kTextReportLines = 60;

std::ostream& Error(CommandContext& c) {
    return c.Err << "kvtk-cli: ";
}

// Message box texts use carriage returns between lines.
std::string OneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r' || ch == '\n') ch = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    std::string end = text.substr(text.size() - tail.size());
    for (char& ch : end) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return end == tail;
}

Configuration OnlineConfiguration(int address) {
    Configuration config;
    config.Panel.Address = std::to_string(address);
    config.Status.Connection = "Online";
    return config;
}

// Identifies the panel and applies its product's capabilities; false (with
// the message given) when no panel answers.
bool IdentifyConnected(CommandContext& c, Configuration& config) {
    const int address = c.Request.Address;
    const std::string status = IdentifyPanel(config, *c.Exchange, address);
    if (status == kNotConnected) {
        Error(c) << "no device answers at address " << address << ".\n";
        return false;
    }
    config.Identity = IdentityFromText(status);
    ApplyProductCapabilities(config, config.Identity.Model, config.Identity.Version);
    if (c.Request.Verbose) c.Err << status << " at address " << address << '\n';
    return true;
}

// A file that can be opened at all: a plain file with a usable header.
std::optional<HeaderReadResult> CheckFile(CommandContext& c, const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        Error(c) << file << ": no such file.\n";
        return std::nullopt;
    }
    HeaderReadResult header = ReadHeader(file);
    if (!header.Usable()) {
        Error(c) << file << ": "
                 << (header.Status == HeaderStatus::UnlistedModel
                         ? kUnlistedModelText
                         : "the file has no valid configuration header.")
                 << '\n';
        return std::nullopt;
    }
    return header;
}

// Loads a file into a configuration that carries the product's identity and
// limits, as "Load data for use with the current device." does: every value
// is held to what this product accepts.
bool LoadFile(CommandContext& c, const std::string& file, Configuration& config) {
    const FileResult result = ReadConfigFile(file, config, ReadMode::Full);
    if (!result.Ok()) {
        Error(c) << file << ": "
                 << OneLine(result.Message.empty() ? "the file could not be read." : result.Message)
                 << '\n';
        return false;
    }
    if (!config.Limits.SupergroupsAllowed)
        for (int g = 1; g <= kGroupCount; ++g) config.Groups[static_cast<size_t>(g)].Type = 0;
    return true;
}

FileStamp StampNow(const std::string& description) {
    return LocalFileStamp(description);
}

int Identify(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    const std::string status = IdentifyPanel(config, *c.Exchange, c.Request.Address);
    c.Out << status << '\n';
    return status == kNotConnected ? kExitNoPanel : kExitOk;
}

int Scan(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    ScanCallbacks callbacks;
    if (c.ErrIsTerminal) {
        callbacks.BeforeAddress = [&c](const ScanStep& step) {
            c.Err << "\rScanning address " << step.Address << "... " << std::flush;
        };
    }
    const ScanResult result =
        ScanAddresses(config, *c.Exchange, {c.Request.First, c.Request.Last}, callbacks);
    if (c.ErrIsTerminal) c.Err << "\r                              \r" << std::flush;
    for (const int address : result.Found)
        c.Out << address << '\t' << config.AddressTable[static_cast<size_t>(address)].Status
              << '\n';
    if (result.Found.empty()) {
        Error(c) << "no devices found from address " << c.Request.First << " to " << c.Request.Last
                 << ".\n";
        return kExitNoPanel;
    }
    return kExitOk;
}

int Read(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    if (!ReadConfiguration(config, *c.Exchange, c.Host).Completed) {
        Error(c) << "the read was stopped; " << c.Request.Output << " was not written.\n";
        return kExitFailed;
    }
    const FileResult saved =
        WriteConfigFile(c.Request.Output, config, StampNow(c.Request.Description));
    if (!saved.Ok()) {
        Error(c) << c.Request.Output << ": " << OneLine(saved.Message) << '\n';
        return kExitFileError;
    }
    return kExitOk;
}

int Write(CommandContext& c) {
    const CliRequest& r = c.Request;
    const auto header = CheckFile(c, r.File);
    if (!header) return kExitFileError;
    Configuration config = OnlineConfiguration(r.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    // As "Load data for use with the current device.": the file is taken
    // for this device, whatever it was saved from; say so when it differs.
    if (auto differs =
            DifferenceText(CompareWithFile(config.Identity, config.Panel.Address, header->View)))
        Error(c) << "note: " << r.File << " is for a " << header->View.Model << " Version "
                 << header->View.Version << " at address " << header->View.Address << ". "
                 << *differs << " Its values are held to this device's limits.\n";
    if (r.GroupCount && *r.GroupCount > config.Limits.MaxGroups) {
        Error(c) << "--groups: this device has groups 1 to " << config.Limits.MaxGroups << ".\n";
        return kExitUsage;
    }
    if (!LoadFile(c, r.File, config)) return kExitFileError;

    WriteOptions options;
    options.Header = !r.NoHeader;
    options.Inputs = !r.NoInputs;
    options.Groups = !r.NoGroups;
    options.GroupCount = r.GroupCount.value_or(config.Limits.MaxGroups);
    if (r.SaveWaitSeconds) c.Host.SetSavingWaitMs(*r.SaveWaitSeconds * 1000);
    const WriteOutcome outcome = WriteConfiguration(config, options, *c.Exchange, c.Host);
    if (outcome.Result != WriteResult::Saved) {
        Error(c) << "the write was stopped; nothing was saved and writing was disabled again.\n";
        return kExitFailed;
    }
    if (outcome.InputCountClamped)
        Error(c) << "only " << outcome.InputsWritten << " inputs exist on this device.\n";
    return kExitOk;
}

int Verify(CommandContext& c) {
    const CliRequest& r = c.Request;
    if (!CheckFile(c, r.File)) return kExitFileError;
    Configuration panel = OnlineConfiguration(r.Address);
    if (!IdentifyConnected(c, panel)) return kExitNoPanel;
    Configuration file = panel;
    if (!ReadConfiguration(panel, *c.Exchange, c.Host).Completed) {
        Error(c) << "the read was stopped; nothing was compared.\n";
        return kExitFailed;
    }
    if (!LoadFile(c, r.File, file)) return kExitFileError;
    const std::vector<std::string> differences = ConfigurationDifferences(file, panel);
    for (const std::string& line : differences) c.Out << line << '\n';
    if (c.Request.Verbose && differences.empty()) c.Err << "The device matches " << r.File << ".\n";
    return differences.empty() ? kExitOk : kExitFailed;
}

int Reset(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    c.Host.SetYesAnswer(true);  // the command itself is the confirmation
    if (ResetPanel(config, *c.Exchange, c.Host) != ResetResult::Reset) {
        Error(c) << "the reset was cancelled.\n";
        return kExitFailed;
    }
    c.Out << "The device at address " << c.Request.Address << " was reset.\n";
    return kExitOk;
}

int SetAddress(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    const AddressChangeOutcome outcome =
        ChangeAddress(config, c.Request.NewAddress, *c.Exchange, c.Host);
    switch (outcome.Result) {
        case AddressChangeResult::Changed:
            c.Out << "The device is now at address " << c.Request.NewAddress << ".\n";
            return kExitOk;
        case AddressChangeResult::InvalidAddress:
            Error(c) << "the new address must be from 1 to 255.\n";
            return kExitUsage;
        case AddressChangeResult::Cancelled:
            Error(c) << "the address change was stopped at: " << outcome.ProgressLine << '\n';
            return kExitFailed;
        default:
            Error(c) << outcome.ProgressLine << '\n';
            return kExitFailed;
    }
}

int BadRelays(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    c.Host.SetYesAnswer(c.Request.Clear);
    const BadRelayOutcome outcome = CheckBadRelays(config, *c.Exchange, c.Host);
    if (outcome.Result == BadRelayResult::Cancelled) {
        Error(c) << "the bad relay check was stopped.\n";
        return kExitFailed;
    }
    if (outcome.Result == BadRelayResult::NoneFound) {
        c.Out << "No bad relays found.\n";
        return kExitOk;
    }
    c.Out << "Bad relays are:";
    for (const int relay : outcome.Relays) c.Out << ' ' << relay;
    c.Out << '\n';
    if (outcome.Result == BadRelayResult::Cleared) c.Out << "Bad relay information is cleared.\n";
    if (outcome.Result == BadRelayResult::NotCleared) {
        Error(c) << "the device did not confirm the clear.\n";
        return kExitFailed;
    }
    return kExitOk;
}

int Groups(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    for (const GroupAction& action : c.Request.Groups) {
        if ((action.What == GroupAction::On || action.What == GroupAction::Off) &&
            action.Group > config.Limits.MaxGroups) {
            Error(c) << "this device has groups 1 to " << config.Limits.MaxGroups << ", not "
                     << action.Group << ".\n";
            return kExitUsage;
        }
    }
    GroupMonitor monitor(*c.Exchange, config);
    bool answered = monitor.Open();
    for (const GroupAction& action : c.Request.Groups) {
        if (!answered) break;
        switch (action.What) {
            case GroupAction::On:
            case GroupAction::Off:
                monitor.IndicatorFocused(action.Group);
                action.What == GroupAction::On ? monitor.PostGroupOn() : monitor.PostGroupOff();
                break;
            case GroupAction::AllOn:
                monitor.PostAllOn();
                break;
            case GroupAction::AllOff:
                monitor.PostAllOff();
                break;
        }
        monitor.RunPass();
        answered = !monitor.LastReply().empty();
    }
    // Without a switch, one poll of every group.
    if (answered && c.Request.Groups.empty()) {
        monitor.RunPass();
        answered = !monitor.LastReply().empty();
    }
    if (!answered) {
        Error(c) << "the group check was stopped.\n";
        return kExitFailed;
    }
    for (int g = 1; g <= monitor.MaxGroups(); ++g)
        c.Out << g << '\t' << (monitor.IndicatorOn(g) ? "on" : "off") << '\n';
    if (c.Request.Verbose && !monitor.StatusText().empty()) c.Err << monitor.StatusText() << '\n';
    return kExitOk;
}

int Inputs(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (!IdentifyConnected(c, config)) return kExitNoPanel;
    InputMonitor monitor(*c.Exchange, config);
    if (!monitor.Open() || monitor.PollInputs().empty()) {
        Error(c) << "the input check was stopped.\n";
        return kExitFailed;
    }
    c.Out << "active:";
    for (int n = 1; n <= monitor.VisibleInputs(); ++n)
        if (monitor.BoxTicked(n)) c.Out << ' ' << n;
    c.Out << '\n';
    if (monitor.AnalogShown()) {
        c.Out << "analog:";
        for (int ch = 1; ch <= kAnalogChannels; ++ch) c.Out << ' ' << monitor.AnalogText(ch);
        c.Out << '\n';
    }
    return kExitOk;
}

int Send(CommandContext& c) {
    const std::string reply =
        c.Exchange->Exchange(c.Request.Address, c.Request.PanelCommand, "", 0);
    c.Out << reply << '\n';
    if (!reply.empty() && reply[0] == 'A') return kExitOk;
    if (reply == "T") {
        Error(c) << "no device answered at address " << c.Request.Address << ".\n";
        return kExitNoPanel;
    }
    return kExitFailed;
}

int Report(CommandContext& c) {
    const CliRequest& r = c.Request;
    const bool pdf = EndsWith(r.Output, ".pdf");
    if (!pdf && !EndsWith(r.Output, ".txt")) {
        Error(c) << "report: -o must name a .txt or a .pdf file.\n";
        return kExitUsage;
    }
    const auto header = CheckFile(c, r.File);
    if (!header) return kExitFileError;
    Configuration config;
    config.Identity = {header->View.Model, header->View.Version};
    ApplyProductCapabilities(config, config.Identity.Model, config.Identity.Version);
    if (!LoadFile(c, r.File, config)) return kExitFileError;

    ReportRequest request;
    request.Origin = {true, r.File, header->View.Date, header->View.Time, header->View.Description};
    request.GroupCount = r.GroupCount.value_or(config.Limits.MaxGroups);
    request.PrintedAt = LocalReportMoment(std::time(nullptr));
    if (pdf) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            Error(c) << "PDF output is not available in this run.\n";
            return kExitFailed;
        }
        const QString failure = WriteReportPdf(QString::fromLocal8Bit(r.Output), config, request);
        if (!failure.isEmpty()) {
            Error(c) << r.Output << ": " << failure.toLocal8Bit().constData() << '\n';
            return kExitFileError;
        }
        return kExitOk;
    }
    const ReportResult report = BuildConfigurationReport(
        config, request, GridFromCharacters(kTextReportColumns, kTextReportLines));
    if (!report.Layout) {
        Error(c) << report.Error << '\n';
        return kExitFailed;
    }
    std::ofstream out(r.Output, std::ios::binary | std::ios::trunc);
    out << RenderReportText(*report.Layout);
    out.close();
    if (!out) {
        Error(c) << r.Output << ": the report could not be written.\n";
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

int RunCommand(CommandContext& c) {
    const std::string& command = c.Request.Command;
    if (command == "identify") return Identify(c);
    if (command == "scan") return Scan(c);
    if (command == "read") return Read(c);
    if (command == "write") return Write(c);
    if (command == "verify") return Verify(c);
    if (command == "reset") return Reset(c);
    if (command == "set-address") return SetAddress(c);
    if (command == "bad-relays") return BadRelays(c);
    if (command == "groups") return Groups(c);
    if (command == "inputs") return Inputs(c);
    if (command == "send") return Send(c);
    if (command == "report") return Report(c);
    if (command == "names") return RunNames(c);
    Error(c) << "unknown command \"" << command << "\"\n";
    return kExitUsage;
}

}  // namespace kvtk::cli
