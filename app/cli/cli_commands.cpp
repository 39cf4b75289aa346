#include "app/cli/cli_commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <ctime>
#include <optional>
#include <sstream>

#include "app/cli/cli_files.h"
#include "app/cli/cli_json.h"
#include "app/cli/cli_names.h"
#include "app/cli/cli_ports.h"
#include "app/cli/cli_site.h"
#include "app/cli/cli_trace.h"
#include "comm/traffic_log.h"
#include "files/backup_store.h"
#include "files/config_writer.h"
#include "files/file_header.h"
#include "files/open_save_rules.h"
#include "files/safe_save.h"
#include "model/panel_reply.h"
#include "model/products.h"
#include "report/configuration_report.h"
#include "report/page_grid.h"
#include "report/pdf/report_painter.h"
#include "report/pdf/report_paper.h"
#include "report/text_renderer.h"
#include "transfer/commissioning/commissioned_write.h"
#include "transfer/commissioning/file_comparison.h"
#include "transfer/commissioning/panel_backup.h"
#include "transfer/commissioning/panel_before_write.h"
#include "transfer/live/address_scan.h"
#include "transfer/live/group_monitor.h"
#include "transfer/live/input_monitor.h"
#include "transfer/operations/address_change.h"
#include "transfer/operations/bad_relays.h"
#include "transfer/operations/config_compare.h"
#include "transfer/operations/panel_snapshot.h"
#include "transfer/operations/read_configuration.h"
#include "transfer/operations/reset_panel.h"
#include "transfer/operations/write_configuration.h"

namespace kvtk::cli {
namespace {

// A plain-text report page: 80 characters across, 60 lines down.
constexpr int kTextReportColumns = 80;
constexpr int kTextReportLines = 60;

std::ostream& Error(CommandContext& c) {
    return c.Err << "kvtk-cli: ";
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
    // The line the command line names, no port choice of the windows.
    config.Status.Connection = PanelConnection::Serial(0);
    return config;
}

// Nothing usable came back. A device whose every reply fails its checksum
// is there, on a faulty line; only silence means that no panel answered.
int NoAnswer(CommandContext& c, const std::string& where) {
    if (c.Stopped()) {
        Error(c) << "stopped before a device answered " << where << "; nothing was changed.\n";
        return kExitStopped;
    }
    if (c.Replies && c.Replies->OnlyGarbled() && !c.Replies->StrangeLine().empty()) {
        Error(c) << "a device answers " << where << ", but with \""
                 << VisibleBytes(c.Replies->StrangeLine()) << "\", which is not a valid reply.\n";
        return kExitFailed;
    }
    if (c.Replies && c.Replies->OnlyGarbled()) {
        Error(c) << "a device answers " << where
                 << " but its replies are garbled (check the line: baud rate, wiring, noise).\n";
        return kExitFailed;
    }
    Error(c) << "no device answers " << where << ".\n";
    return kExitNoPanel;
}

// A sentence as the error line's tail: "kvtk-cli: the ...".
std::string LowerFirst(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string AtAddress(int address) {
    return "at address " + std::to_string(address);
}

// A panel that answered but not the identity query is taken by rule; it
// may as well be any product whose identity replies were lost.
void NoteAssumedIdentity(CommandContext& c, const AddressEntry& found) {
    if (found.Probe != ProbeState::Assumed) return;
    Error(c) << "note: the device " << AtAddress(c.Request.Address)
             << " did not report its identity; it is taken as a " << AddressStatusText(found)
             << " (a panel that cannot report it), which is uncertain.\n";
}

// Identifies the panel and applies its product's capabilities; the exit
// status (with the message given) when no panel answers, else kExitOk.
int IdentifyConnected(CommandContext& c, Configuration& config, bool* assumed = nullptr) {
    const int address = c.Request.Address;
    const AddressEntry found = IdentifyPanel(config, *c.Exchange, address);
    if (!found.HasPanel()) return NoAnswer(c, AtAddress(address));
    NoteAssumedIdentity(c, found);
    if (assumed) *assumed = found.Probe == ProbeState::Assumed;
    ApplyIdentity(config, found.Identity);
    if (c.Request.Verbose) c.Err << AddressStatusText(found) << " at address " << address << '\n';
    return kExitOk;
}

// A file that can be opened at all: a regular file with a usable header.
std::optional<HeaderReadResult> CheckFile(CommandContext& c, const std::string& file) {
    KvxFile kvx = ReadKvxFile(file);
    if (!kvx.Ok()) {
        Error(c) << file << ": " << kvx.Why << '\n';
        return std::nullopt;
    }
    return std::move(kvx.Header);
}

// Registers skipped on --skip-failed, one line each; true when there were any.
bool ReportSkipped(CommandContext& c, const std::vector<std::string>& skipped) {
    for (const std::string& description : skipped)
        Error(c) << "skipped (no valid reply): " << description << '\n';
    return !skipped.empty();
}

// A failed save, in words; the exit status of a file error.
int SaveFailed(CommandContext& c, const std::string& file, const std::string& why) {
    Error(c) << file << ": " << OneLine(why) << '\n';
    return kExitFileError;
}

bool FileLoaded(CommandContext& c, const std::string& file, const FileResult& result) {
    if (!result.Ok())
        Error(c) << file << ": "
                 << OneLine(result.Message.empty() ? "the file could not be read." : result.Message)
                 << '\n';
    return result.Ok();
}

// Loads a file into a configuration that carries the product's identity and
// limits, as "Load data for use with the current device." does: every value
// is held to what this product accepts.
bool LoadFile(CommandContext& c, const std::string& file, Configuration& config) {
    return FileLoaded(c, file, LoadFileForDevice(file, config));
}

FileStamp StampNow(const CommandContext& c, const std::string& description) {
    return LocalFileStamp(c.Clock(), description);
}

BackupRequest BackupTo(CommandContext& c, const std::string& description) {
    const std::string folder =
        c.Request.BackupFolder.empty() ? DefaultBackupFolder() : c.Request.BackupFolder;
    return {folder, description, c.Clock()};
}

// Says where the backup went, or why there is none; true when saved.
bool AcceptBackup(CommandContext& c, const BackupOutcome& backup) {
    if (!backup.Saved && c.Stopped()) {
        Error(c) << backup.Failure << " Nothing was changed.\n";
        return false;
    }
    if (!backup.Saved) {
        Error(c) << backup.Failure
                 << " Nothing was changed; --backup DIR chooses another folder, --no-backup goes"
                    " on without a backup.\n";
        return false;
    }
    c.Err << "Backup saved: " << backup.Path << '\n';
    return true;
}

// Before a command changes the panel: a backup, unless --no-backup.
bool BackUpFirst(CommandContext& c, const Configuration& config, const std::string& description) {
    if (c.Request.NoBackup) return true;
    return AcceptBackup(c, BackupPanel(config, *c.Exchange, c.Host, BackupTo(c, description)));
}

JsonObject PanelJson(int address, const AddressEntry& entry) {
    const ProductIdentity id = entry.HasPanel() ? entry.Identity : ProductIdentity{};
    JsonObject json;
    json.Number("address", address).Text("status", AddressStatusText(entry));
    return json.Text("model", id.Model).Text("version", id.Version);
}

int Identify(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    const AddressEntry found = IdentifyPanel(config, *c.Exchange, c.Request.Address);
    NoteAssumedIdentity(c, found);
    if (c.Request.Json)
        c.Out << PanelJson(c.Request.Address, found).Flag("answered", found.HasPanel()).Json()
              << '\n';
    else
        c.Out << AddressStatusText(found) << '\n';
    return found.HasPanel() ? kExitOk : NoAnswer(c, AtAddress(c.Request.Address));
}

ScanResult ScanWithProgress(CommandContext& c, Configuration& config,
                            ScanPace pace = ScanPace::Plain) {
    ScanCallbacks callbacks;
    callbacks.StopRequested = c.Stopped;
    const bool verbose = c.Request.Verbose;
    if (c.ErrIsTerminal && !verbose) {
        callbacks.BeforeAddress = [&c](const ScanStep& step) {
            c.Err << "\rScanning address " << step.Address << "... " << std::flush;
        };
    }
    const int first = c.Request.First;
    const int total = c.Request.Last - first + 1;
    if (verbose) {
        c.Host.ScanStarted();
        callbacks.AfterAddress = [&c, first, total](const ScanStep& step) {
            c.Host.ScanProgress(step.Address - first + 1, total);
        };
    }
    const ScanResult result =
        ScanAddresses(config, *c.Exchange, {first, c.Request.Last}, callbacks, pace);
    if (verbose) c.Host.ScanFinished();
    if (c.ErrIsTerminal && !verbose) c.Err << "\r                              \r" << std::flush;
    return result;
}

int Scan(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    const ScanResult result =
        ScanWithProgress(c, config, c.Request.Quick ? ScanPace::Quick : ScanPace::Plain);
    std::vector<std::string> panels;
    for (const int address : result.Found) {
        const AddressEntry& entry = config.AddressTable[static_cast<size_t>(address)];
        if (c.Request.Json)
            panels.push_back(PanelJson(address, entry).Json());
        else
            c.Out << address << '\t' << AddressStatusText(entry) << '\n';
    }
    if (c.Request.Json)
        c.Out << JsonObject()
                     .Number("first", c.Request.First)
                     .Number("last", c.Request.Last)
                     .Raw("panels", JsonArray(panels))
                     .Json()
              << '\n';
    if (result.Found.empty())
        return NoAnswer(c, "from address " + std::to_string(c.Request.First) + " to " +
                               std::to_string(c.Request.Last));
    return kExitOk;
}

// Reads every panel of the range into its own new file.
int BackupAll(CommandContext& c) {
    Configuration scanned = OnlineConfiguration(c.Request.Address);
    const ScanResult result = ScanWithProgress(c, scanned);
    if (result.Found.empty())
        return NoAnswer(c, "from address " + std::to_string(c.Request.First) + " to " +
                               std::to_string(c.Request.Last));
    const std::time_t now = c.Clock();
    int failed = 0;
    int saved = 0;
    for (const int address : result.Found) {
        if (c.Stopped()) break;
        const AddressEntry& entry = scanned.AddressTable[static_cast<size_t>(address)];
        const std::string status = AddressStatusText(entry);
        Configuration config = OnlineConfiguration(address);
        ApplyIdentity(config, entry.Identity);
        const BackupOutcome backup = BackupPanel(
            config, *c.Exchange, c.Host,
            {c.Request.BackupFolder, "Backup of address " + std::to_string(address), now});
        c.Out << address << '\t' << status << '\t'
              << (backup.Saved ? backup.Path : "failed: " + backup.Failure) << '\n'
              << std::flush;
        if (backup.Saved)
            ++saved;
        else
            ++failed;
    }
    if (c.Stopped()) {
        Error(c) << "stopped with " << saved << " of the " << result.Found.size()
                 << " panels found saved.\n";
        return kExitStopped;
    }
    if (failed > 0)
        Error(c) << failed << " of " << result.Found.size() << " panels were not saved.\n";
    return failed > 0 ? kExitFailed : kExitOk;
}

int Read(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (const int failed = IdentifyConnected(c, config)) return failed;
    const ReadOutcome outcome = ReadConfiguration(config, *c.Exchange, c.Host);
    if (!outcome.Completed) {
        Error(c) << "the read was stopped; " << c.Request.Output << " was not written.\n";
        return kExitFailed;
    }
    const std::string text = ConfigFileText(config, StampNow(c, c.Request.Description));
    if (!ConfigTextOpens(text)) {
        Error(c) << "the device's identity \"" << StatusText(config.Identity)
                 << "\" is not one a .kvx file can hold; " << c.Request.Output
                 << " was not written.\n";
        return kExitFailed;
    }
    const FileResult saved = SaveFileAtomically(c.Request.Output, text);
    if (!saved.Ok()) return SaveFailed(c, c.Request.Output, saved.Message);
    if (ReportSkipped(c, outcome.Skipped)) {
        Error(c) << c.Request.Output << " is incomplete: it holds defaults, not the panel's "
                 << "values, for the " << outcome.Skipped.size() << " registers skipped above.\n";
        return kExitFailed;
    }
    return kExitOk;
}

// The compare window's columns: section, item, panel value, new value.
std::string ChangeLine(const ConfigDifference& d) {
    return d.Section + '\t' + d.Item + '\t' + d.PanelValue + '\t' + d.FileValue;
}

// write --dry-run: reads the panel, prints what a write would change and
// writes nothing.
int DryRun(CommandContext& c, const Configuration& config, const WriteOptions& options) {
    const PanelBeforeWrite before = ReadBeforeWrite(config, options, *c.Exchange, c.Host);
    if (!before.Panel.Complete()) {
        Error(c) << "the read was stopped or skipped registers; nothing was compared.\n";
        return c.Stopped() ? kExitStopped : kExitFailed;
    }
    for (const ConfigDifference& difference : before.Differences)
        c.Out << ChangeLine(difference) << '\n';
    if (before.Differences.empty()) c.Out << kNothingDiffersText << '\n';
    return before.Differences.empty() ? kExitOk : kExitFailed;
}

int Write(CommandContext& c) {
    const CliRequest& r = c.Request;
    const auto header = CheckFile(c, r.File);
    if (!header) return kExitFileError;
    Configuration config = OnlineConfiguration(r.Address);
    bool assumed = false;
    if (const int failed = IdentifyConnected(c, config, &assumed)) return failed;
    // Data laid out for one product written to another is a wrong
    // configuration on the panel: only on an explicit choice.
    if (!SameProductForWrite(header->View.Model, config.Identity.Model) && !r.ForceProduct) {
        Error(c) << r.File << " is for a " << header->View.Model << " Version "
                 << header->View.Version << ", but the device " << AtAddress(r.Address) << " is a "
                 << StatusText(config.Identity)
                 << (assumed ? " (taken by rule: it did not report its identity)" : "")
                 << ". Nothing was written; --force-product writes it anyway.\n";
        return kExitFailed;
    }
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

    CommissionedWriteRequest request;
    request.Options.Header = !r.NoHeader;
    request.Options.Inputs = !r.NoInputs;
    request.Options.Groups = !r.NoGroups;
    request.Options.GroupCount = r.GroupCount.value_or(config.Limits.MaxGroups);
    request.Options.ChangesOnly = r.ChangesOnly;
    if (r.DryRun) return DryRun(c, config, request.Options);
    if (r.ChangesOnly && r.NoBackup)
        Error(c) << "note: --changes-only reads the device first all the same; no backup is "
                    "kept (--no-backup).\n";
    request.Backup = !r.NoBackup;
    if (request.Backup) request.BackupTo = BackupTo(c, "Backup before write");
    request.Verify = r.VerifyAfterWrite;
    request.AcceptBackup = [&c](const BackupOutcome& backup) { return AcceptBackup(c, backup); };
    request.Written = [&c](const WriteOutcome& outcome) {
        if (outcome.InputCountClamped)
            Error(c) << "only " << outcome.InputsWritten << " inputs exist on this device.\n";
        if (c.Request.ChangesOnly && c.Request.Verbose)
            c.Err << outcome.RegistersToWrite << " changed register"
                  << (outcome.RegistersToWrite == 1 ? "" : "s") << " written.\n";
    };
    request.StopRequested = c.Stopped;
    if (r.SaveWaitSeconds) c.Host.SetSavingWaitMs(*r.SaveWaitSeconds * 1000);
    const CommissionedWriteOutcome written =
        CommissionedWrite(config, request, *c.Exchange, c.Host);
    using R = CommissionedWriteResult;
    if (written.Result == R::NotBackedUp) return kExitFailed;  // the backup said why
    if (written.Result == R::NotRead) {
        Error(c) << "the read before the write was stopped; nothing was written.\n";
        return c.Stopped() ? kExitStopped : kExitFailed;
    }
    if (written.Result == R::NothingToChange) {
        c.Out << kNothingToChangeText << '\n';
        return kExitOk;
    }
    if (written.Result == R::WriteStopped) {
        if (written.Write.WritingDisabled)
            Error(c)
                << "the write was stopped; nothing was saved and writing was disabled again.\n";
        else
            Error(c) << "the write was stopped; nothing was saved, and the device did not confirm "
                        "\"Write Disable\": it may still be write-enabled.\n";
        return kExitFailed;
    }
    if (written.Result == R::Saved) return kExitOk;
    if (written.Result == R::CheckSkipped) {
        Error(c) << "the configuration was written and saved; it was not checked (stopped).\n";
        return kExitStopped;
    }
    const WriteCheck& check = written.Check;
    for (const ConfigDifference& difference : check.Differences)
        c.Out << DifferenceLine(difference) << '\n';
    if (written.Result == R::Verified) {
        c.Out << kVerifiedText << '\n';
        return kExitOk;
    }
    if (written.Result == R::ReadBackIncomplete)
        Error(c) << LowerFirst(kReadBackIncompleteText) << '\n';
    else
        Error(c) << "the device does not hold what was written (" << check.Differences.size()
                 << (check.Differences.size() == 1 ? " difference).\n" : " differences).\n");
    return kExitFailed;
}

int Verify(CommandContext& c) {
    const CliRequest& r = c.Request;
    if (!CheckFile(c, r.File)) return kExitFileError;
    Configuration panel = OnlineConfiguration(r.Address);
    if (const int failed = IdentifyConnected(c, panel)) return failed;
    const PanelFileComparison comparison = CompareFileWithPanel(r.File, panel, *c.Exchange, c.Host);
    if (comparison.Outcome == PanelFileComparison::FileFailed) {
        FileLoaded(c, r.File, comparison.File);
        return kExitFileError;
    }
    if (comparison.Outcome == PanelFileComparison::ReadStopped) {
        Error(c) << "the read was stopped or skipped registers; nothing was compared.\n";
        return kExitFailed;
    }
    const std::vector<ConfigDifference>& differences = comparison.Differences;
    if (c.Request.Json) {
        std::vector<std::string> list;
        for (const ConfigDifference& d : differences)
            list.push_back(JsonObject()
                               .Text("section", d.Section)
                               .Text("item", d.Item)
                               .Text("file", d.FileValue)
                               .Text("panel", d.PanelValue)
                               .Json());
        c.Out << JsonObject()
                     .Raw("file", JsonPathString(r.File))
                     .Number("address", r.Address)
                     .Flag("matches", differences.empty())
                     .Raw("differences", JsonArray(list))
                     .Json()
              << '\n';
    } else {
        for (const ConfigDifference& difference : differences)
            c.Out << DifferenceLine(difference) << '\n';
    }
    if (c.Request.Verbose && differences.empty()) c.Err << "The device matches " << r.File << ".\n";
    return differences.empty() ? kExitOk : kExitFailed;
}

int Reset(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (const int failed = IdentifyConnected(c, config)) return failed;
    c.Host.SetYesAnswer(true);  // the command itself is the confirmation
    if (ResetPanel(config, *c.Exchange, c.Host) != ResetResult::Reset) {
        Error(c) << (c.Stopped() ? "the reset was stopped before the device confirmed it; it may "
                                   "restart all the same.\n"
                                 : "the reset was cancelled.\n");
        return kExitFailed;
    }
    c.Out << "The device at address " << c.Request.Address << " was reset.\n";
    return kExitOk;
}

int SetAddress(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (const int failed = IdentifyConnected(c, config)) return failed;
    const AddressChangeOutcome outcome =
        ChangeAddress(config, c.Request.NewAddress, *c.Exchange, c.Host,
                      [&] { return BackUpFirst(c, config, "Backup before address change"); });
    switch (outcome.Result) {
        case AddressChangeResult::Changed:
            c.Out << "The device is now at address " << c.Request.NewAddress << ".\n";
            return kExitOk;
        case AddressChangeResult::InvalidAddress:
            Error(c) << "the new address must be from 1 to 255.\n";
            return kExitUsage;
        case AddressChangeResult::NotBackedUp:
            return kExitFailed;  // the backup said why
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
    if (const int failed = IdentifyConnected(c, config)) return failed;
    c.Host.SetYesAnswer(c.Request.Clear);
    const BadRelayOutcome outcome = CheckBadRelays(config, *c.Exchange, c.Host);
    if (outcome.Result == BadRelayResult::Cancelled) {
        Error(c) << "the bad relay check was stopped.\n";
        return kExitFailed;
    }
    if (c.Request.Json) {
        std::vector<std::string> relays;
        for (const int relay : outcome.Relays) relays.push_back(std::to_string(relay));
        c.Out << JsonObject()
                     .Number("address", c.Request.Address)
                     .Raw("bad_relays", JsonArray(relays))
                     .Flag("cleared", outcome.Result == BadRelayResult::Cleared)
                     .Json()
              << '\n';
    } else if (outcome.Result == BadRelayResult::NoneFound) {
        c.Out << "No bad relays found.\n";
    } else {
        c.Out << "Bad relays are:";
        for (const int relay : outcome.Relays) c.Out << ' ' << relay;
        c.Out << '\n';
        if (outcome.Result == BadRelayResult::Cleared)
            c.Out << "Bad relay information is cleared.\n";
    }
    if (outcome.Result == BadRelayResult::NotCleared) {
        Error(c) << "the device did not confirm the clear.\n";
        return kExitFailed;
    }
    return kExitOk;
}

int Groups(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (const int failed = IdentifyConnected(c, config)) return failed;
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
                action.What == GroupAction::On ? monitor.PostGroupOn(action.Group)
                                               : monitor.PostGroupOff(action.Group);
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
    std::vector<std::string> groups;
    for (int g = 1; g <= monitor.MaxGroups(); ++g) {
        if (c.Request.Json)
            groups.push_back(
                JsonObject().Number("group", g).Flag("on", monitor.IndicatorOn(g)).Json());
        else
            c.Out << g << '\t' << (monitor.IndicatorOn(g) ? "on" : "off") << '\n';
    }
    if (c.Request.Json)
        c.Out << JsonObject()
                     .Number("address", c.Request.Address)
                     .Raw("groups", JsonArray(groups))
                     .Json()
              << '\n';
    if (c.Request.Verbose && !monitor.StatusText().empty()) c.Err << monitor.StatusText() << '\n';
    return kExitOk;
}

int Inputs(CommandContext& c) {
    Configuration config = OnlineConfiguration(c.Request.Address);
    if (const int failed = IdentifyConnected(c, config)) return failed;
    InputMonitor monitor(*c.Exchange, config);
    if (!monitor.Open() || monitor.PollInputs().empty()) {
        Error(c) << "the input check was stopped.\n";
        return kExitFailed;
    }
    std::vector<std::string> active;
    for (int n = 1; n <= monitor.VisibleInputs(); ++n)
        if (monitor.BoxTicked(n)) active.push_back(std::to_string(n));
    std::vector<std::string> analog;
    if (monitor.AnalogShown())
        for (int ch = 1; ch <= kAnalogChannels; ++ch) analog.push_back(monitor.AnalogText(ch));
    if (c.Request.Json) {
        JsonObject json;
        json.Number("address", c.Request.Address).Raw("active", JsonArray(active));
        std::vector<std::string> quoted;
        for (const std::string& text : analog) quoted.push_back(JsonString(text));
        if (monitor.AnalogShown()) json.Raw("analog", JsonArray(quoted));
        c.Out << json.Json() << '\n';
        return kExitOk;
    }
    c.Out << "active:";
    for (const std::string& n : active) c.Out << ' ' << n;
    c.Out << '\n';
    if (monitor.AnalogShown()) {
        c.Out << "analog:";
        for (const std::string& text : analog) c.Out << ' ' << text;
        c.Out << '\n';
    }
    return kExitOk;
}

int Send(CommandContext& c) {
    const std::string reply =
        c.Exchange->Exchange(c.Request.Address, c.Request.PanelCommand, "", FailureStyle::Silent);
    c.Out << reply << '\n';
    switch (KindOfReply(reply)) {
        case ReplyKind::Accepted:
            return kExitOk;
        case ReplyKind::NoResponse:
        case ReplyKind::Garbled:
            return NoAnswer(c, AtAddress(c.Request.Address));
        default:
            return kExitFailed;
    }
}

int Report(CommandContext& c) {
    const CliRequest& r = c.Request;
    const bool toOut = r.Output == "-";
    const bool pdf = EndsWith(r.Output, ".pdf");
    if (!toOut && !pdf && !EndsWith(r.Output, ".txt")) {
        Error(c) << "report: -o must name a .txt or a .pdf file.\n";
        return kExitUsage;
    }
    const auto header = CheckFile(c, r.File);
    if (!header) return kExitFileError;
    Configuration config;
    ApplyIdentity(config, {header->View.Model, header->View.Version});
    if (!LoadFile(c, r.File, config)) return kExitFileError;

    ReportRequest request;
    request.Origin = {true, r.File, header->View.Date, header->View.Time, header->View.Description};
    request.GroupCount = r.GroupCount.value_or(config.Limits.MaxGroups);
    request.PrintedAt = LocalReportMoment(c.Clock());
    if (pdf) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            Error(c) << "PDF output is not available in this run.\n";
            return kExitFailed;
        }
        ReportPdfOptions options;
        options.PageSize = r.Paper.empty() ? ReportPaper(SystemPaperSources(DefaultPrinterPaper()))
                                           : PaperFromName(r.Paper).value_or(options.PageSize);
        const QString failure =
            WriteReportPdf(QString::fromLocal8Bit(r.Output), config, request, options);
        if (!failure.isEmpty()) return SaveFailed(c, r.Output, failure.toLocal8Bit().toStdString());
        return kExitOk;
    }
    const ReportResult report = BuildConfigurationReport(
        config, request, GridFromCharacters(kTextReportColumns, kTextReportLines));
    if (!report.Layout) {
        Error(c) << report.Error << '\n';
        return kExitFailed;
    }
    if (toOut) {
        c.Out << RenderReportText(*report.Layout);
        return kExitOk;
    }
    const FileResult saved = SaveFileAtomically(r.Output, RenderReportText(*report.Layout));
    if (!saved.Ok()) return SaveFailed(c, r.Output, saved.Message);
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
    if (command == "backup-all") return BackupAll(c);
    if (command == "names") return RunNames(c);
    if (command == "ports") return RunPorts(c);
    if (command == "site") return RunSite(c);
    Error(c) << "unknown command \"" << command << "\"\n";
    return kExitUsage;
}

}  // namespace kvtk::cli
