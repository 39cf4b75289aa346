#include "app/cli/cli_site.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <set>

#include "app/cli/cli_files.h"
#include "app/cli/cli_json.h"
#include "files/backup_store.h"
#include "model/products.h"
#include "report/pdf/site_report_pdf.h"
#include "transfer/commissioning/file_comparison.h"
#include "transfer/site/site_backup.h"
#include "transfer/site/site_folder.h"
#include "transfer/site/site_report_files.h"
#include "transfer/site/site_survey.h"
#include "transfer/site/site_write.h"

namespace kvtk::cli {
namespace {

std::ostream& Error(CommandContext& c) {
    return c.Err << "kvtk-cli: ";
}

std::string Dash(const std::string& text) {
    return text.empty() ? "-" : text;
}

// The site's files, or nothing when the folder cannot be used (said why).
std::optional<SiteFiles> OpenSite(CommandContext& c) {
    SiteFiles files = ReadSiteFolder(c.Request.SiteFolder);
    if (!files.Usable()) {
        Error(c) << files.Refusal << '\n';
        return std::nullopt;
    }
    for (const SiteFileProblem& problem : files.Unreadable)
        Error(c) << problem.Name << ": " << problem.Why << " It is left out of the site.\n";
    return files;
}

SiteSurveyCallbacks SurveyCallbacks(CommandContext& c) {
    SiteSurveyCallbacks callbacks;
    callbacks.StopRequested = c.Stopped;
    if (c.ErrIsTerminal)
        callbacks.ScanningAddress = [&c](int address) {
            c.Err << "\rScanning address " << address << "... " << std::flush;
        };
    if (c.Request.Verbose)
        callbacks.ComparingPanel = [&c](const SitePanel& row) {
            c.Err << (c.ErrIsTerminal ? "\r" : "") << "Comparing address " << row.Address
                  << " with " << row.File << '\n';
        };
    return callbacks;
}

std::string BackupFolder(const CommandContext& c) {
    return c.Request.BackupFolder.empty() ? DefaultBackupFolder() : c.Request.BackupFolder;
}

bool AnyPanel(const std::vector<SitePanel>& rows) {
    return std::any_of(rows.begin(), rows.end(), [](const SitePanel& row) {
        return !row.Model.empty() || row.State == SiteState::Garbled;
    });
}

int NoPanelAnswered(CommandContext& c) {
    Error(c) << "no device answers on the line.\n";
    return kExitNoPanel;
}

void PrintRows(CommandContext& c, const std::vector<SitePanel>& rows) {
    if (!c.Request.Json) {
        for (const SitePanel& row : rows) {
            c.Out << row.Address << '\t' << SiteStateName(row.State) << '\t' << Dash(row.Model)
                  << '\t' << Dash(row.File);
            if (row.State == SiteState::Differs) c.Out << '\t' << row.Differences;
            c.Out << '\n';
        }
        return;
    }
    const auto textOrNull = [](const std::string& text) {
        return text.empty() ? std::string("null") : JsonString(text);
    };
    const auto nameOrNull = [](const std::string& name) {
        return name.empty() ? std::string("null") : JsonPathString(name);
    };
    std::vector<std::string> panels;
    for (const SitePanel& row : rows)
        panels.push_back(JsonObject()
                             .Number("address", row.Address)
                             .Text("state", SiteStateName(row.State))
                             .Raw("product", textOrNull(row.Model))
                             .Raw("version", textOrNull(row.Model.empty() ? "" : row.Version))
                             .Raw("file", nameOrNull(row.File))
                             .Number("differences", row.Differences)
                             .Json());
    c.Out << JsonObject()
                 .Raw("site", JsonPathString(c.Request.SiteFolder))
                 .Raw("panels", JsonArray(panels))
                 .Json()
          << '\n';
}

int Status(CommandContext& c) {
    const auto files = OpenSite(c);
    if (!files) return kExitFileError;
    const std::vector<SitePanel> rows =
        SurveySite(*files, *c.Exchange, c.Host, c.Request.Quick, SurveyCallbacks(c));
    if (c.ErrIsTerminal) c.Err << "\r                              \r" << std::flush;
    PrintRows(c, rows);
    if (!AnyPanel(rows)) return NoPanelAnswered(c);
    const bool allSame = std::all_of(rows.begin(), rows.end(), [](const SitePanel& row) {
        return row.State == SiteState::Same;
    });
    return allSame ? kExitOk : kExitFailed;
}

struct Refusal {
    int Address;
    std::string Why;
};

// The --only addresses, each identified with full tries: all must have a
// panel and a file for its product before anything is written.
std::vector<SitePanel> ListedPanels(CommandContext& c, const SiteFiles& files,
                                    std::vector<Refusal>& refused) {
    const std::set<int> listed(c.Request.Only.begin(), c.Request.Only.end());
    std::vector<SitePanel> rows;
    for (const int address : listed) {
        const SiteFile* file = files.At(address);
        if (!file) {
            refused.push_back({address, "no file in the site is for this address (no-file)."});
            continue;
        }
        Configuration line = SitePanelConfiguration(address, {});
        const AddressEntry entry = IdentifyPanel(line, *c.Exchange, address);
        const ProductIdentity id = entry.HasPanel() ? entry.Identity : ProductIdentity{};
        SiteObservation seen{!id.Model.empty(), false, id.Model, true, file->Model, 0};
        SitePanel row{address, StateOf(seen), id.Model, id.Version, file->Name, 0};
        if (row.State == SiteState::NoPanel)
            refused.push_back({address, "no device answers (no-panel)."});
        else if (row.State == SiteState::NotCompatible)
            refused.push_back({address, file->Name + " is for a " + file->Model +
                                            ", but the device is a " + StatusText(id) +
                                            " (not-compatible)."});
        rows.push_back(row);
    }
    return rows;
}

// Every file's panel that differs from its file; the others said why not.
std::vector<SitePanel> DifferingPanels(CommandContext& c, const SiteFiles& files,
                                       bool& uncompared) {
    std::vector<SitePanel> rows;
    for (const SiteFile& file : files.Files) {
        if (c.Stopped()) break;
        Configuration line = SitePanelConfiguration(file.Address, {});
        const AddressEntry entry = IdentifyPanel(line, *c.Exchange, file.Address);
        const ProductIdentity id = entry.HasPanel() ? entry.Identity : ProductIdentity{};
        SiteObservation seen{!id.Model.empty(), false, id.Model, true, file.Model, std::nullopt};
        SitePanel row{file.Address, StateOf(seen), id.Model, id.Version, file.Name, 0};
        CompareSitePanel(row, file, *c.Exchange, c.Host);
        if (row.State == SiteState::Differs) {
            rows.push_back(row);
        } else if (row.State != SiteState::Same) {
            uncompared = uncompared || row.State != SiteState::NoPanel;
            Error(c) << "address " << row.Address << " (" << row.File
                     << ") is not written: " << SiteStateName(row.State) << ".\n";
        }
    }
    return rows;
}

int Write(CommandContext& c) {
    const CliRequest& r = c.Request;
    const auto files = OpenSite(c);
    if (!files) return kExitFileError;
    std::vector<Refusal> refused;
    bool uncompared = false;
    const std::vector<SitePanel> rows =
        r.Only.empty() ? DifferingPanels(c, *files, uncompared) : ListedPanels(c, *files, refused);
    if (!refused.empty()) {
        for (const Refusal& refusal : refused)
            Error(c) << "--only " << refusal.Address << ": " << refusal.Why << '\n';
        Error(c) << "nothing was written.\n";
        return kExitFailed;
    }
    if (c.Stopped()) return kExitStopped;
    if (rows.empty()) {
        if (!uncompared) c.Err << "Every panel with a file holds its file's values.\n";
        return uncompared ? kExitFailed : kExitOk;
    }
    std::vector<SiteWriteTarget> targets;
    for (const SitePanel& row : rows) targets.push_back({row, files->At(row.Address)->Path});
    SiteWriteRequest request;
    request.Verify = r.VerifyAfterWrite;
    request.ChangesOnly = r.ChangesOnly;
    request.BackupFolder = BackupFolder(c);
    request.When = c.Clock();
    request.StopRequested = c.Stopped;
    if (r.Verbose)
        request.Starting = [&c](const SiteWriteTarget& target) {
            c.Err << "Writing address " << target.Row.Address << " from " << target.Row.File
                  << '\n';
        };
    if (r.SaveWaitSeconds) c.Host.SetSavingWaitMs(*r.SaveWaitSeconds * 1000);
    const SiteWriteOutcome outcome = WriteSite(targets, request, *c.Exchange, c.Host);
    for (const SitePanelWrite& panel : outcome.Panels) {
        c.Out << panel.Address << '\t' << SiteWriteStepName(panel.Step) << '\t' << panel.File;
        if (panel.Step == SiteWriteStep::Failed) c.Out << '\t' << OneLine(panel.Why);
        c.Out << '\n';
        for (const ConfigDifference& difference : panel.Differences)
            Error(c) << "address " << panel.Address << ": " << DifferenceLine(difference) << '\n';
    }
    if (outcome.Stopped) return kExitStopped;
    return outcome.AllDone() && !uncompared ? kExitOk : kExitFailed;
}

int Backup(CommandContext& c) {
    const auto files = OpenSite(c);
    if (!files) return kExitFileError;
    const std::vector<SitePanel> rows = ScanSite(*files, *c.Exchange, false, SurveyCallbacks(c));
    if (c.ErrIsTerminal) c.Err << "\r                              \r" << std::flush;
    if (!AnyPanel(rows)) return NoPanelAnswered(c);
    SiteBackupRequest request{BackupFolder(c), c.Clock(), c.Stopped, {}};
    int failed = 0;
    for (const SitePanelBackup& backup : BackUpSite(rows, request, *c.Exchange, c.Host)) {
        if (!backup.Started) continue;
        c.Out << backup.Address << '\t' << backup.Status << '\t'
              << (backup.Backup.Saved ? backup.Backup.Path : "failed: " + backup.Backup.Failure)
              << '\n';
        failed += backup.Backup.Saved ? 0 : 1;
    }
    if (c.Stopped()) return kExitStopped;
    return failed > 0 ? kExitFailed : kExitOk;
}

int Report(CommandContext& c) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Error(c) << "PDF output is not available in this run.\n";
        return kExitFailed;
    }
    const auto files = OpenSite(c);
    if (!files) return kExitFileError;
    SiteReportRequest site;
    site.Folder = c.Request.SiteFolder;
    site.Unreadable = files->Unreadable;
    site.PrintedAt = LocalReportMoment(c.Clock());
    if (c.Exchange) {
        site.Rows = SurveySite(*files, *c.Exchange, c.Host, true, SurveyCallbacks(c));
    } else {
        for (const SiteFile& file : files->Files)
            site.Rows.push_back({file.Address, SiteState::Unread, {}, {}, file.Name, 0});
    }
    std::string failure;
    const std::vector<SiteReportFile> reports =
        LoadSiteReportFiles(*files, site.PrintedAt, failure);
    if (!failure.empty()) {
        Error(c) << OneLine(failure) << '\n';
        return kExitFileError;
    }
    const QString output = QString::fromLocal8Bit(c.Request.Output);
    if (const QString failure = WriteSiteReportPdf(output, site, reports); !failure.isEmpty()) {
        Error(c) << c.Request.Output << ": " << OneLine(failure.toLocal8Bit().toStdString())
                 << '\n';
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

int RunSite(CommandContext& c) {
    const std::string& action = c.Request.SiteAction;
    if (action == "status") return Status(c);
    if (action == "write") return Write(c);
    if (action == "backup") return Backup(c);
    return Report(c);
}

}  // namespace kvtk::cli
