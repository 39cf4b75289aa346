#include "model/site.h"

#include <algorithm>
#include <charconv>

#include "model/configuration.h"
#include "model/products.h"

namespace kvtk {

const char* SiteStateName(SiteState state) {
    switch (state) {
        case SiteState::Same:
            return "same";
        case SiteState::Differs:
            return "differs";
        case SiteState::NoFile:
            return "no-file";
        case SiteState::NoPanel:
            return "no-panel";
        case SiteState::NotCompatible:
            return "not-compatible";
        case SiteState::Garbled:
            return "garbled";
        case SiteState::Unread:
            return "unread";
    }
    return "unread";
}

const char* SiteStateWords(SiteState state) {
    switch (state) {
        case SiteState::Same:
            return "Same as its file";
        case SiteState::Differs:
            return "Differs from its file";
        case SiteState::NoFile:
            return "No file for this panel";
        case SiteState::NoPanel:
            return "No panel answers";
        case SiteState::NotCompatible:
            return "File is for another product";
        case SiteState::Garbled:
            return "Replies are garbled";
        case SiteState::Unread:
            return "Not compared yet";
    }
    return "Not compared yet";
}

const SiteFile* SiteFiles::At(int address) const {
    for (const SiteFile& file : Files)
        if (file.Address == address) return &file;
    return nullptr;
}

namespace {

std::optional<int> SiteAddress(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || value < 0 || value >= kAddressCount) return std::nullopt;
    return value;
}

}  // namespace

SiteFiles MatchSiteFiles(std::vector<SiteCandidate> candidates) {
    // By name, so a refusal and the order of the lists do not depend on
    // the order the folder listed its files in.
    std::sort(candidates.begin(), candidates.end(),
              [](const SiteCandidate& a, const SiteCandidate& b) { return a.Name < b.Name; });
    SiteFiles site;
    for (const SiteCandidate& candidate : candidates) {
        if (!candidate.Why.empty()) {
            site.Unreadable.push_back({candidate.Name, candidate.Why});
            continue;
        }
        const std::optional<int> address = SiteAddress(candidate.AddressText);
        if (!address) {
            site.Unreadable.push_back({candidate.Name, "its address \"" + candidate.AddressText +
                                                           "\" is not one from 0 to 255."});
            continue;
        }
        if (const SiteFile* first = site.At(*address)) {
            if (site.Refusal.empty())
                site.Refusal = first->Name + " and " + candidate.Name + " are both for address " +
                               std::to_string(*address) + "; keep one of them in the folder.";
            continue;
        }
        site.Files.push_back(
            {candidate.Name, candidate.Path, *address, candidate.Model, candidate.Version});
    }
    std::sort(site.Files.begin(), site.Files.end(),
              [](const SiteFile& a, const SiteFile& b) { return a.Address < b.Address; });
    return site;
}

bool SiteProductsMatch(const std::string& fileModel, const std::string& panelModel) {
    return SameProductForWrite(fileModel, panelModel);
}

SiteState StateOf(const SiteObservation& seen) {
    if (seen.Garbled && !seen.Answered) return SiteState::Garbled;
    if (!seen.Answered) return seen.HasFile ? SiteState::NoPanel : SiteState::Unread;
    if (!seen.HasFile) return SiteState::NoFile;
    if (!SiteProductsMatch(seen.FileModel, seen.PanelModel)) return SiteState::NotCompatible;
    // A read that failed its checksums part way is garbled, not merely unread.
    if (!seen.Differences) return seen.Garbled ? SiteState::Garbled : SiteState::Unread;
    return *seen.Differences == 0 ? SiteState::Same : SiteState::Differs;
}

}  // namespace kvtk
