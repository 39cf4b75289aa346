#include "model/products.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kvtk {
namespace {

// What a product offers, in one line: the ranges of inputs, relays and
// groups, how many input types (always the first of the six), supergroups
// and the commands enabled.
std::string Offer(const std::string& model, const std::string& version) {
    Configuration c;
    const CapabilityView v = ApplyProductCapabilities(c, model, version);
    EXPECT_TRUE(std::equal(v.InputTypes.begin(), v.InputTypes.end(), AllInputTypeNames().begin()));
    return v.InputRange + " " + v.RelayRange + " " + v.GroupRange + " types " +
           std::to_string(v.InputTypes.size()) + (c.Limits.SupergroupsAllowed ? " super" : "") +
           (v.SetAllLinkedOnEnabled ? " linked-on" : "") +
           (v.SetAllStateChangeEnabled ? " state-change" : "") +
           (v.SpecialOptionsEnabled ? " options" : "");
}

TEST(Capabilities, RangesAndInputTypesFollowProductAndFirmware) {
    EXPECT_EQ(Offer("KV-4800", "2.05"), "1..16 1..8 0..12 types 5 linked-on");
    EXPECT_EQ(Offer("KV-4900", "1.09"), "1..120 1..60 1..30 types 4");
    EXPECT_EQ(Offer("KV-4600", "1.10"), "1..120 1..60 1..60 types 4 super");  // from 1.10 on
    EXPECT_EQ(Offer(" WQ32 ", " 5.00 "),
              "1..120 1..32 0..60 types 6 super linked-on state-change options");
    // Relay panels keep their own relay count; other products have 60.
    for (const auto& [model, relays] :
         {std::pair{"WQ08", " 1..8 "}, {"WQ60", " 1..60 "}, {"X", " 1..60 "}})
        EXPECT_NE(Offer(model, "5.00").find(relays), std::string::npos) << model;
}

// Counts above the new product's are cut, without overflow from a huge text,
// and the energize duration starts at the product's default.
TEST(Capabilities, ChangingProductCutsCountsAndSetsItsEnergizeDefault) {
    Configuration config;
    ApplyProductCapabilities(config, "TMC-1400", "4.00");
    EXPECT_EQ(config.Panel.RelayEnergize, "0.156");
    config.Panel.NumInputs = "99999999999999999999";
    config.Panel.NumRelays = "60";
    config.Groups[5].Type = 1;
    ApplyProductCapabilities(config, "KV-4800", "3.00");
    EXPECT_EQ(config.Panel.NumInputs, "16");
    EXPECT_EQ(config.Panel.NumRelays, "8");
    EXPECT_EQ(config.Inputs[5].Group, 5);
    EXPECT_EQ(config.Inputs[13].Group, 12);
    EXPECT_EQ(config.Groups[5].Type, 0);  // supergroups are not allowed
    EXPECT_EQ(config.Panel.RelayEnergize, "0.048");
}

TEST(Capabilities, GroupNameListCarriesGroupNumbers) {
    Configuration config;
    config.Groups[3].Name = "Lobby";
    config.Groups[20].Name = "Hall";
    auto view = ApplyProductCapabilities(config, "KV-4900", "4.00");
    EXPECT_EQ(view.GroupNames, (std::vector<std::string>{"Lobby", "Hall"}));
    EXPECT_EQ(view.GroupNumbers, (std::vector<int>{3, 20}));
    view = ApplyProductCapabilities(config, "KV-4800", "2.00");  // 12 groups
    EXPECT_EQ(view.GroupNumbers, (std::vector<int>{3}));
}

TEST(Products, ProductMatch) {
    const struct {
        const char *a, *b;
        int16_t result;
        bool sameForWrite;  // a file for a written to a panel b is no other product
    } cases[] = {
        {"KV-??00", "KV-4500", 1, true},
        {"KV-4500", "KV-??00", -1, true},
        {"KV-4500", "KV-4800", 0, false},
        {"WQ16", "KV-4800", 1, false},
        {"WQ16", "WQ32", 1, false},
        {"WQ16", "wq16 ", 1, true},
        {"kv-4800", "KV-4800", -1, true},
        {"KV4800", "KV4800", 0, false},
        {"", "", 0, false},
        {"KV-480?", "KV-4801", 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<int>(ProductMatch(c.a, c.b)), c.result) << c.a << " / " << c.b;
        EXPECT_EQ(SameProductForWrite(c.a, c.b), c.sameForWrite) << c.a << " / " << c.b;
    }
}

TEST(Products, VersionCompare) {
    EXPECT_EQ(VersionCompare("2.05", "4.00"), VersionOrder::Newer);
    EXPECT_EQ(VersionCompare("4.00", "2.05"), VersionOrder::Older);
    EXPECT_EQ(VersionCompare("4.00+", "4"), VersionOrder::Equal);
    // An old KV-4500 makes every version equal; a newer one or another product does not.
    EXPECT_EQ(VersionCompare("2.05", "4.00", FileHeaderInfo{"KV-4500", "1.09"}),
              VersionOrder::Equal);
    EXPECT_EQ(VersionCompare("2.05", "4.00", FileHeaderInfo{"KV-4500", "1.10"}),
              VersionOrder::Newer);
    EXPECT_EQ(VersionCompare("2.05", "4.00", FileHeaderInfo{"KV-4800", "1.00"}),
              VersionOrder::Newer);
}

TEST(Products, SelectCatalogueEntry) {
    struct Case {
        const char* model;
        const char* version;
        int position;
    };
    const std::vector<Case> cases{
        {"TMC-1400", "4.00", 2}, {"KV-4800", "4.00", 1},  {"KV-4500", "5.00", 0},
        {"WQ16", "4.00", 0},     {"TMC-1400", "2.05", 5}, {"KV-4800", "3.99", 4},
        {"KV-4500", "2.05", 3},  {"KV-4900", "2.50", 3},  {"TMC-1400", "1.10", 7},
        {"KV-4800", "2.04", 6},  {"KV-4500", "1.10", 6},  {"KV-4900", "1.50", 6},
        {"TMC-1400", "1.09", 9}, {"KV-4800", "1.00", 9},  {"KV-4500", "1.09", 8},
        {"KV-4900", "", 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectCatalogueEntry({c.model, c.version}), c.position)
            << c.model << " " << c.version;
}

TEST(Products, VersionAndStatusTexts) {
    EXPECT_EQ(FormatVersion(12.5), "12.50");
    EXPECT_EQ(FormatVersion(1e300), "1000000000.00");
    const auto id = IdentityFromText(ProductCatalogue()[0]);
    EXPECT_EQ(id.Model + " " + id.Version, "KV-??00 4.00+");
    EXPECT_EQ(StatusText({"KV-4800", "4.00"}), "KV-4800 Version 4.00");
    EXPECT_EQ(IdentityFromText("Not connected").Version, "");
}

}  // namespace
}  // namespace kvtk
