#include "transfer/site/site_survey.h"

#include <algorithm>
#include <set>

#include "model/products.h"
#include "transfer/commissioning/file_comparison.h"
#include "transfer/live/address_scan.h"

namespace kvtk {
namespace {

// Tells whether a garbled reply came back while a panel was read.
class GarbleWatch : public ForwardingExchange {
public:
    using ForwardingExchange::ForwardingExchange;
    bool SawGarbled() const { return sawGarbled_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        std::string reply =
            ForwardingExchange::DoExchange(address, command, description, style, dataChars);
        if (reply == "C") sawGarbled_ = true;
        return reply;
    }

private:
    bool sawGarbled_ = false;
};

bool Stopped(const SiteSurveyCallbacks& callbacks) {
    return callbacks.StopRequested && callbacks.StopRequested();
}

}  // namespace

Configuration SitePanelConfiguration(int address, const ProductIdentity& identity) {
    Configuration config;
    config.Panel.Address = std::to_string(address);
    config.Status.Connection = PanelConnection::Serial(0);
    if (!identity.Model.empty()) ApplyIdentity(config, identity);
    return config;
}

bool Comparable(const SitePanel& row) {
    return !row.Model.empty() && !row.File.empty() && row.State != SiteState::NotCompatible &&
           row.State != SiteState::Garbled;
}

std::vector<SitePanel> ScanSite(const SiteFiles& files, PanelExchange& exchange, bool quick,
                                const SiteSurveyCallbacks& callbacks) {
    Configuration line = SitePanelConfiguration(0, {});
    ScanCallbacks scan;
    scan.StopRequested = callbacks.StopRequested;
    if (callbacks.ScanningAddress)
        scan.BeforeAddress = [&callbacks](const ScanStep& step) {
            callbacks.ScanningAddress(step.Address);
        };
    const ScanResult result =
        ScanAddresses(line, exchange, {}, scan, quick ? ScanPace::Quick : ScanPace::Plain);
    const std::set<int> found(result.Found.begin(), result.Found.end());
    const std::set<int> garbled(result.Garbled.begin(), result.Garbled.end());
    std::set<int> addresses = found;
    addresses.insert(garbled.begin(), garbled.end());
    for (const SiteFile& file : files.Files) addresses.insert(file.Address);

    std::vector<SitePanel> rows;
    for (const int address : addresses) {
        const SiteFile* file = files.At(address);
        const bool scanned = !result.Stopped || address <= result.LastRead;
        SiteObservation seen;
        seen.Answered = found.count(address) > 0;
        seen.Garbled = garbled.count(address) > 0;
        seen.HasFile = file != nullptr;
        SitePanel row;
        row.Address = address;
        if (seen.Answered) {
            const ProductIdentity& id = line.AddressTable[static_cast<size_t>(address)].Identity;
            row.Model = id.Model;
            row.Version = id.Version;
            seen.PanelModel = id.Model;
        }
        if (file) {
            row.File = file->Name;
            seen.FileModel = file->Model;
        }
        // An address the scan never reached has not been looked at.
        row.State = scanned || seen.Answered ? StateOf(seen) : SiteState::Unread;
        rows.push_back(row);
    }
    return rows;
}

void CompareSitePanel(SitePanel& row, const SiteFile& file, PanelExchange& exchange,
                      OperationHost& host, std::vector<ConfigDifference>* differences) {
    if (!Comparable(row)) return;
    GarbleWatch watch(exchange);
    const Configuration like = SitePanelConfiguration(row.Address, {row.Model, row.Version});
    const PanelFileComparison comparison = CompareFileWithPanel(file.Path, like, watch, host);
    SiteObservation seen{true, watch.SawGarbled(), row.Model, true, file.Model, std::nullopt};
    if (comparison.Outcome == PanelFileComparison::Compared)
        seen.Differences = static_cast<int>(comparison.Differences.size());
    row.State = StateOf(seen);
    row.Differences = row.State == SiteState::Differs ? *seen.Differences : 0;
    if (differences) *differences = comparison.Differences;
}

std::vector<SitePanel> SurveySite(const SiteFiles& files, PanelExchange& exchange,
                                  OperationHost& host, bool quick,
                                  const SiteSurveyCallbacks& callbacks) {
    std::vector<SitePanel> rows = ScanSite(files, exchange, quick, callbacks);
    for (SitePanel& row : rows) {
        if (!Comparable(row) || Stopped(callbacks)) continue;
        if (callbacks.ComparingPanel) callbacks.ComparingPanel(row);
        CompareSitePanel(row, *files.At(row.Address), exchange, host);
    }
    return rows;
}

}  // namespace kvtk
