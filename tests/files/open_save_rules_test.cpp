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

// A panel shown at address 3 against a file, and the difference told.
TEST(OpenSaveRules, ComparesAddressProductAndVersion) {
    const struct {
        const char *model, *version, *fileModel, *fileVersion, *fileAddress;
        const char* text;  // nullptr: the file matches and no dialog comes
    } cases[] = {
        {"KV-4800", "4.00", "KV-4800", "4.00", "5", "This is a different address."},
        {"KV-??00 ", " 4.00", "KV-4500", "4.00", "3", nullptr},
        {"KV-4500", "4.00", "KV-4800", "2.05", "3", "This is a different product type."},
        {"KV-4800", "2.05", "KV-4800", "4.00", "3", "This is a different version."},
        {"KV-4500", "4.00", "KV-4500", "1.09", "3", nullptr},  // an old KV-4500 file: any version
        {"KV-4500", "4.00", "KV-4800", "4.00", "5",
         "This is a different address and product type."},
        {"KV-4800", "2.05", "KV-4800", "4.00", "5", "This is a different address and version."},
    };
    for (const auto& c : cases) {
        FileHeaderView file;
        file.Model = c.fileModel;
        file.Version = c.fileVersion;
        file.Address = c.fileAddress;
        const auto text = DifferenceText(CompareWithFile({c.model, c.version}, "3", file));
        EXPECT_EQ(text.value_or("none"), c.text ? c.text : "none") << c.model << " " << c.version;
    }
}

TEST(OpenSaveRules, DeviceTextsNameWhatTheyCompare) {
    using ::testing::AllOf;
    using ::testing::HasSubstr;
    EXPECT_THAT(CurrentDeviceText({"KV-4800", "4.00"}, "3", true),
                AllOf(HasSubstr("connected"), HasSubstr("KV-4800 Version 4.00 at address 3.")));
    EXPECT_THAT(CurrentDeviceText({"KV-4800", "4.00"}, "3", false),
                AllOf(::testing::Not(HasSubstr("connected")), HasSubstr("at address 3.")));
    FileHeaderView file;
    file.Model = "WQ16";
    file.Version = "5.00";
    file.Address = "9";
    EXPECT_THAT(FileDeviceText(file), HasSubstr("WQ16 Version 5.00 at address 9."));
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
