#include "model/products.h"

#include <algorithm>
#include <cstdio>

#include "model/conversions.h"
#include "model/panel_reply.h"

namespace kvtk {
namespace {

std::string Upper(const std::string& s) {
    return ToUpper(s);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string Range(int lo, int hi) {
    return std::to_string(lo) + ".." + std::to_string(hi);
}

void ClampCountText(std::string& text, int16_t max) {
    if (CountValue(text) > max) text = std::to_string(max);
}

}  // namespace

double VersionValue(const std::string& version) {
    return NumericValue(version);
}

std::string FormatVersion(double version) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", std::clamp(version, -1e9, 1e9));
    std::string text = buf;
    if (StartsWith(text, "0.")) text.erase(0, 1);
    if (StartsWith(text, "-0.")) text.erase(1, 1);
    return text;
}

ProductIdentity IdentityFromText(const std::string& text) {
    static const std::string kSep = " Version ";
    const auto at = text.find(kSep);
    if (at == std::string::npos) return {Trim(text), {}};
    return {text.substr(0, at), text.substr(at + kSep.size())};
}

std::string StatusText(const ProductIdentity& id) {
    return id.Model + " Version " + id.Version;
}

const std::vector<std::string>& ProductCatalogue() {
    static const std::vector<std::string> list{
        "KV-??00 Version 4.00+", "KV-4800 Version 4.00+",  "TMC-1400 Version 4.00+",
        "KV-??00 Version 2.05+", "KV-4800 Version 2.05+",  "TMC-1400 Version 2.05+",
        "KV-??00 Version 1.10+", "TMC-1400 Version 1.10+", "KV-4500 Version 1.09",
        "KV-4800 Version 1.00+", "WQ08 Version 5.00+",     "WQ16 Version 5.00+",
        "WQ32 Version 5.00+",    "WQ48 Version 5.00+",     "WQ60 Version 5.00"};
    return list;
}

ModelMatch ProductMatch(const std::string& a, const std::string& b) {
    if (StartsWith(Upper(a), "WQ") || StartsWith(Upper(b), "WQ")) return ModelMatch::FirstGeneral;
    const auto dashA = a.find('-');
    const auto dashB = b.find('-');
    if (dashA == std::string::npos || dashB == std::string::npos) return ModelMatch::None;
    if (Upper(a.substr(0, dashA)) != Upper(b.substr(0, dashB))) return ModelMatch::None;
    std::string partA = Upper(a.substr(dashA + 1));
    std::string partB = Upper(b.substr(dashB + 1));
    // Wildcards unify position by position; the last character of the
    // shorter part is not examined.
    const size_t common = std::min(partA.size(), partB.size());
    for (size_t i = 0; i + 1 < common; ++i) {
        if (partA[i] == '?' || partB[i] == '?') partA[i] = partB[i] = '?';
    }
    if (partA != partB) return ModelMatch::None;
    const auto wildA = std::count(a.begin(), a.end(), '?');
    const auto wildB = std::count(b.begin(), b.end(), '?');
    return wildA - wildB >= 1 ? ModelMatch::FirstGeneral : ModelMatch::Same;
}

bool SameProductForWrite(const std::string& fileModel, const std::string& panelModel) {
    const std::string a = Upper(Trim(fileModel));
    const std::string b = Upper(Trim(panelModel));
    // ProductMatch lets a relay-panel model meet any other; a write may not.
    if (StartsWith(a, "WQ") || StartsWith(b, "WQ")) return a == b;
    return ProductMatch(a, b) != ModelMatch::None;
}

VersionOrder VersionCompare(const std::string& a, const std::string& b,
                            const std::optional<FileHeaderInfo>& lastFileHeader) {
    if (lastFileHeader && lastFileHeader->Model == "KV-4500" &&
        VersionValue(lastFileHeader->Version) <= 1.09)
        return VersionOrder::Equal;
    const double va = VersionValue(a);
    const double vb = VersionValue(b);
    if (va == vb) return VersionOrder::Equal;
    return vb > va ? VersionOrder::Newer : VersionOrder::Older;
}

int SelectCatalogueEntry(const ProductIdentity& id) {
    const double v = VersionValue(id.Version);
    const int column = id.Model == "TMC-1400"  ? 0
                       : id.Model == "KV-4800" ? 1
                       : id.Model == "KV-4500" ? 2
                                               : 3;
    static const int kTable[4][4] = {
        {2, 1, 0, 0},  // 4.00 or more
        {5, 4, 3, 3},  // 2.05 to below 4.00
        {7, 6, 6, 6},  // 1.10 to below 2.05
        {9, 9, 8, 9},  // below 1.10
    };
    const int row = v >= 4.0 ? 0 : v >= 2.05 ? 1 : v >= 1.1 ? 2 : 3;
    return kTable[row][column];
}

const std::vector<std::string>& AllInputTypeNames() {
    static const std::vector<std::string> names{"Maintained",       "Momentary On", "Momentary Off",
                                                "Momentary On/Off", "Linked On",    "State Change"};
    return names;
}

std::vector<std::string> InputTypeNames(double version) {
    const auto& all = AllInputTypeNames();
    std::vector<std::string> names(all.begin(), all.begin() + 4);
    if (version >= 2.05) names.push_back(all[4]);
    if (version >= 4.0) names.push_back(all[5]);
    return names;
}

CapabilityView ApplyIdentity(Configuration& config, const ProductIdentity& identity) {
    config.Identity = identity;
    return ApplyProductCapabilities(config, identity.Model, identity.Version);
}

CapabilityView ApplyProductCapabilities(Configuration& config, const std::string& modelText,
                                        const std::string& versionText) {
    const std::string model = Trim(modelText);
    const double version = VersionValue(Trim(versionText));
    CapabilityLimits lim;  // step 1: the starting values
    if (model == "KV-4800") {
        if (version < 4.0) {
            lim.MaxGroups = 12;
            lim.SupergroupsAllowed = false;
        }
    } else {
        lim.MaxInputs = 120;
        lim.MaxRelays = 60;
        if (version < 4.0) lim.MinGroupNumber = 1;
        if (version < 1.1) {
            lim.MaxGroups = 30;
            lim.SupergroupsAllowed = false;
        }
    }
    if (model == "WQ08") lim.MaxRelays = 8;
    if (model == "WQ16") lim.MaxRelays = 16;
    if (model == "WQ32") lim.MaxRelays = 32;
    if (model == "WQ48") lim.MaxRelays = 48;
    config.Limits = lim;

    ClampCountText(config.Panel.NumInputs, lim.MaxInputs);
    ClampCountText(config.Panel.NumRelays, lim.MaxRelays);
    for (int n = 1; n <= kInputCount; ++n)
        if (config.Inputs[n].Group > lim.MaxGroups) config.Inputs[n].Group = lim.MaxGroups;
    if (!lim.SupergroupsAllowed)
        for (int g = 1; g <= kGroupCount; ++g) config.Groups[g].Type = 0;

    config.Panel.EnergizeList = BuildEnergizeList(model);
    config.Panel.RelayEnergize =
        config.Panel.EnergizeList[DefaultEnergizeIndex(model, config.Panel.EnergizeList)];

    CapabilityView view;
    view.GroupRange = Range(lim.MinGroupNumber, lim.MaxGroups);
    view.InputRange = Range(lim.MinInputs, lim.MaxInputs);
    view.RelayRange = Range(lim.MinRelays, lim.MaxRelays);
    view.InputTypes = InputTypeNames(version);
    for (int g = 1; g <= lim.MaxGroups; ++g) {
        if (config.Groups[g].Name.empty()) continue;
        view.GroupNames.push_back(config.Groups[g].Name);
        view.GroupNumbers.push_back(g);
    }
    view.SetAllLinkedOnEnabled = version >= 2.05;
    view.SetAllStateChangeEnabled = version >= 4.0;
    view.SpecialOptionsEnabled = version >= 2.06;
    return view;
}

bool BadRelayCommandEnabled(bool online, const std::string& model) {
    if (!online) return false;
    return model == "KV-1400" || model == "KV-4900" || model == "TMC-1400" || model == "KV-4600";
}

ProductIdentity OldestPanelIdentity() {
    return IdentityFromText(kOldestPanelStatus);
}

std::string AddressStatusText(const AddressEntry& entry) {
    switch (entry.Probe) {
        case ProbeState::Untested:
            return kUntestedAddress;
        case ProbeState::Silent:
        case ProbeState::Garbled:
            return kNotConnected;
        case ProbeState::Answered:
        case ProbeState::Assumed:
            break;
    }
    return StatusText(entry.Identity);
}

AddressEntry IdentifyPanel(Configuration& config, PanelExchange& exchange, int address) {
    const bool inTable = address >= 0 && address < kAddressCount;
    AddressEntry found;
    if (inTable) found.Name = config.AddressTable[static_cast<size_t>(address)].Name;
    auto record = [&](ProbeState probe, ProductIdentity identity = {}, std::string strange = {}) {
        found.Record(probe, std::move(identity), std::move(strange));
        if (inTable) config.AddressTable[static_cast<size_t>(address)] = found;
        return found;
    };
    const ClassifiedReply probe = ClassifyReply(
        exchange.Exchange(address, "LR73", "", FailureStyle::Silent, kAddressReplyChars));
    // Something came, but nothing readable: a device on a faulty line.
    if (probe.Kind == ReplyKind::Garbled || probe.Kind == ReplyKind::Other)
        return record(ProbeState::Garbled, {}, probe.Data);
    if (!probe.IsAccepted()) return record(ProbeState::Silent);
    std::string reply;
    for (int query = 0; query < kIdentityQueries && !IsAccepted(reply); ++query) {
        reply = exchange.Exchange(address, "KV", "", FailureStyle::Silent, kIdentityReplyChars);
        // A cancelled query identifies nothing; do not invent an identity from it.
        if (reply.empty()) return record(ProbeState::Silent);
    }
    const std::string model = IsAccepted(reply) ? Trim(reply.substr(1, 9)) : std::string{};
    // No reply, or one naming no model: a panel that cannot tell its identity.
    if (model.empty()) return record(ProbeState::Assumed, OldestPanelIdentity());
    const double version = NumericValue(reply.substr(10, 4)) / 100;
    return record(ProbeState::Answered, {model, FormatVersion(version)});
}

}  // namespace kvtk
