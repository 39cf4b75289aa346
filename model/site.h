#pragma once
// A site: a folder of .kvx files, one per panel, matched to the panels on
// the line by the address each file names. These are the pure rules: the
// matching, the refusal of two files for one address, and the state of
// each address from what the line and the files showed.

#include <optional>
#include <string>
#include <vector>

namespace kvtk {

enum class SiteState { Same, Differs, NoFile, NoPanel, NotCompatible, Garbled, Unread };

// "same", "differs", "no-file", "no-panel", "not-compatible", "garbled", "unread".
const char* SiteStateName(SiteState state);
// The state in words for a person: "Same as its file", "Differs from its file", ...
const char* SiteStateWords(SiteState state);

// A file of the folder whose header could be read.
struct SiteFile {
    std::string Name;  // the file's name in the folder
    std::string Path;
    int Address = 0;
    std::string Model;  // the product the file was saved for
    std::string Version;
};

// A file of the folder that cannot be used, and why, in one line.
struct SiteFileProblem {
    std::string Name;
    std::string Why;
};

// What one file of the folder turned out to be when read.
struct SiteCandidate {
    std::string Name;
    std::string Path;
    std::string Why;  // empty when usable
    std::string AddressText;
    std::string Model;
    std::string Version;
};

struct SiteFiles {
    std::vector<SiteFile> Files;  // rising address
    std::vector<SiteFileProblem> Unreadable;
    std::string Refusal;  // the folder cannot be used at all (two files for one address, ...)
    bool Usable() const { return Refusal.empty(); }
    const SiteFile* At(int address) const;
};

// Sorts the candidates into files by address and unreadable files. Two
// files for one address refuse the whole site, naming both: writing either
// could be the wrong one.
SiteFiles MatchSiteFiles(std::vector<SiteCandidate> candidates);

// What the line and the file showed for one address.
struct SiteObservation {
    bool Answered = false;  // a panel gave its identity
    bool Garbled = false;   // something answered, but its replies failed their checksum
    std::string PanelModel;
    bool HasFile = false;
    std::string FileModel;
    std::optional<int> Differences;  // nothing when not compared (yet, or the read stopped)
};
SiteState StateOf(const SiteObservation& seen);

// One row of a site: an address with a panel, a file or both.
struct SitePanel {
    int Address = 0;
    SiteState State = SiteState::Unread;
    std::string Model;  // the panel's; empty where no panel answers
    std::string Version;
    std::string File;     // the file's name; empty where none has the address
    int Differences = 0;  // set for Differs only
};

// Whether a file saved for `fileModel` may be compared with and written to
// a panel of `panelModel`.
bool SiteProductsMatch(const std::string& fileModel, const std::string& panelModel);

}  // namespace kvtk
