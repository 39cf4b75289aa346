// File-name rule, file comparison and texts of the Open and Save commands.
#include "files/open_save_rules.h"

#include <gmock/gmock.h>

namespace kvtk {
namespace {

TEST(OpenSaveRules, KvxFileNameTouchesOnlyTheFileNamePart) {
    const std::pair<const char*, const char*> cases[] = {
        {"panel", "panel.kvx"},
        {"panel.old.txt", "panel.kvx"},
        {"/data/site.v1.2/panel", "/data/site.v1.2/panel.kvx"},
        {"C:\\jobs\\a.b\\plan", "C:\\jobs\\a.b\\plan.kvx"},
        {" /data/plan  ", "/data/plan.kvx"},
        {"/data/plan.kvx", "/data/plan.kvx"},
    };
    for (const auto& [chosen, saved] : cases) EXPECT_EQ(KvxFileName(chosen), saved) << chosen;
}

TEST(OpenSaveRules, DifferenceTexts) {
    const struct {
        bool address, same, version;
        std::optional<std::string> text;  // nothing: no dialog
    } cases[] = {
        {false, false, true, "This is a different product type."},
        {false, true, true, "This is a different version."},
        {false, true, false, std::nullopt},
        {true, false, true, "This is a different address and product type."},
        {true, true, true, "This is a different address and version."},
        {true, true, false, "This is a different address."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DifferenceText({c.address, c.same, c.version}), c.text) << c.address << c.same;
}

FileHeaderView FileFor(const char* model, const char* version, const char* address) {
    FileHeaderView v;
    v.Model = model;
    v.Version = version;
    v.Address = address;
    return v;
}

TEST(OpenSaveRules, ComparesAddressProductAndVersion) {
    const auto address5 =
        CompareWithFile({"KV-4800", "4.00"}, "3", FileFor("KV-4800", "4.00", "5"));
    EXPECT_EQ(DifferenceText(address5), "This is a different address.");
    EXPECT_TRUE(
        CompareWithFile({"KV-??00 ", " 4.00"}, "3", FileFor("KV-4500", "4.00", "3")).Matches());
    EXPECT_FALSE(
        CompareWithFile({"KV-4500", "4.00"}, "3", FileFor("KV-4800", "4.00", "3")).SameProduct);
    EXPECT_TRUE(
        CompareWithFile({"KV-4800", "2.05"}, "3", FileFor("KV-4800", "4.00", "3")).VersionDiffers);
    // An old KV-4500 file makes every version equal.
    EXPECT_FALSE(
        CompareWithFile({"KV-4500", "4.00"}, "3", FileFor("KV-4500", "1.09", "3")).VersionDiffers);
}

// The device texts name the product, version and address they compare.
TEST(OpenSaveRules, DeviceTextsNameWhatTheyCompare) {
    using ::testing::AllOf;
    using ::testing::HasSubstr;
    EXPECT_THAT(CurrentDeviceText({"KV-4800", "4.00"}, "3", true),
                AllOf(HasSubstr("connected"), HasSubstr("KV-4800 Version 4.00 at address 3.")));
    EXPECT_THAT(CurrentDeviceText({"KV-4800", "4.00"}, "3", false),
                AllOf(::testing::Not(HasSubstr("connected")), HasSubstr("at address 3.")));
    EXPECT_THAT(FileDeviceText(FileFor("WQ16", "5.00", "9")),
                HasSubstr("WQ16 Version 5.00 at address 9."));
    EXPECT_THAT(OverwriteQuestion("/jobs/plan.kvx"), HasSubstr("'/jobs/plan.kvx'"));
}

TEST(OpenSaveRules, CaptionNamesTheFileAndItsDescription) {
    EXPECT_EQ(MainWindowCaption("/jobs/plan.kvx", " NIGHT TEST "),
              "KV Programming Kit V5.1 - /jobs/plan.kvx(NIGHT TEST)");
    EXPECT_EQ(MainWindowCaption("/jobs/plan.kvx", "  "),
              "KV Programming Kit V5.1 - /jobs/plan.kvx");
}

}  // namespace
}  // namespace kvtk
