#include "model/site.h"

#include <gtest/gtest.h>

namespace kvtk {
namespace {

// Every state, from what the line and the file showed at one address.
TEST(Site, StateFollowsWhatTheLineAndTheFileShowed) {
    const struct {
        const char* name;
        SiteObservation seen;
        SiteState state;
    } cases[] = {
        {"same", {true, false, "KV-4800", true, "KV-4800", 0}, SiteState::Same},
        {"differs", {true, false, "KV-4800", true, "KV-4800", 3}, SiteState::Differs},
        {"no file", {true, false, "KV-4800", false, "", std::nullopt}, SiteState::NoFile},
        {"no panel", {false, false, "", true, "KV-4800", std::nullopt}, SiteState::NoPanel},
        {"other product", {true, false, "TMC-1400", true, "KV-4800", 0}, SiteState::NotCompatible},
        {"another WQ", {true, false, "WQ16", true, "WQ08", 0}, SiteState::NotCompatible},
        {"garbled scan", {false, true, "", true, "KV-4800", std::nullopt}, SiteState::Garbled},
        {"garbled read",
         {true, true, "KV-4800", true, "KV-4800", std::nullopt},
         SiteState::Garbled},
        {"read stopped",
         {true, false, "KV-4800", true, "KV-4800", std::nullopt},
         SiteState::Unread},
    };
    for (const auto& c : cases) EXPECT_EQ(StateOf(c.seen), c.state) << c.name;
}

SiteCandidate Candidate(const std::string& name, const std::string& address,
                        const std::string& why = {}) {
    return {name, "/site/" + name, why, address, "KV-4800", "4.00"};
}

// Files are matched by their address; two for one address refuse the site
// naming both; unreadable ones are listed with their reason.
TEST(Site, FilesMatchByAddressAndDuplicatesRefuseTheSite) {
    const struct {
        const char* name;
        std::vector<SiteCandidate> candidates;
        std::vector<int> addresses;
        std::vector<std::string> unreadable;
        std::string refusal;
    } cases[] = {
        {"by address",
         {Candidate("b.kvx", "17"), Candidate("a.kvx", "3"), Candidate("c.kvx", "0")},
         {0, 3, 17},
         {},
         ""},
        {"unreadable",
         {Candidate("a.kvx", "3"), Candidate("bad.kvx", "", "no such file."),
          Candidate("far.kvx", "300")},
         {3},
         {"bad.kvx: no such file.", "far.kvx: its address \"300\" is not one from 0 to 255."},
         ""},
        {"duplicate",
         {Candidate("z.kvx", "5"), Candidate("m.kvx", "5"), Candidate("a.kvx", "1")},
         {1, 5},
         {},
         "m.kvx and z.kvx are both for address 5; keep one of them in the folder."},
    };
    for (const auto& c : cases) {
        const SiteFiles site = MatchSiteFiles(c.candidates);
        std::vector<int> addresses;
        for (const SiteFile& file : site.Files) addresses.push_back(file.Address);
        std::vector<std::string> unreadable;
        for (const SiteFileProblem& file : site.Unreadable)
            unreadable.push_back(file.Name + ": " + file.Why);
        EXPECT_EQ(addresses, c.addresses) << c.name;
        EXPECT_EQ(unreadable, c.unreadable) << c.name;
        EXPECT_EQ(site.Refusal, c.refusal) << c.name;
    }
}

}  // namespace
}  // namespace kvtk
