#include "transfer/commissioning/panel_backup.h"

#include <gtest/gtest.h>

#include "files/backup_store.h"
#include "tests/files/test_folder.h"
#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// A backup is kept only when every register was read, as a new file: a
// second one in the same minute never replaces the first.
TEST(PanelBackup, OnlyACompleteReadIsKeptAndNeverReplacesAnother) {
    test::TestFolder folder;
    const Configuration like = test::OnlineConfigFor("KV-4800", "3.00");
    const std::time_t when = 1796565600;  // one minute for every backup below
    const std::string first = folder.File(BackupFileName(when, 1, "KV-4800"));
    const std::string second = first.substr(0, first.size() - 4) + "_2.kvx";
    const struct {
        const char* lr64;  // the reply to the relay count
        std::string path;  // empty: no backup
        std::string failure;
    } cases[] = {
        {"I", "", "The backup read skipped 1 register."},
        {"", "", "The backup read was stopped."},
        {"A08", first, ""},
        {"A08", second, ""},
    };
    for (const auto& c : cases) {
        test::ScriptedPanel panel;
        panel.Answer("LR64", c.lr64).AnswerPrefix("LR", "A00");
        test::RecordingHost host;
        const BackupOutcome outcome =
            BackupPanel(like, panel, host, {folder.Path().string(), "Backup", when});
        EXPECT_EQ(outcome.Saved, !c.path.empty()) << c.lr64;
        EXPECT_EQ(outcome.Path, c.path) << c.lr64;
        EXPECT_EQ(outcome.Failure, c.failure) << c.lr64;
    }
    EXPECT_EQ(test::FileBytes(first), test::FileBytes(second));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

}  // namespace
}  // namespace kvtk
