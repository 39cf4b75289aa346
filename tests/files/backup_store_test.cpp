// Backups in folders whose names are not plain ASCII (a user called José):
// the file lands in that folder and the path told back names it.
#include "files/backup_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_folder.h"

namespace kvtk {
namespace {

TEST(BackupStore, AFolderWithAccentsHoldsTheBackupAndItsPathNamesIt) {
    for (const std::string folderName : {"plain", "Jos\xe9"}) {
        test::TestFolder folder;
        const std::string backups = folder.File(folderName);
        const BackupSave saved = SaveNewBackup(backups, "plan.kvx", "text");
        ASSERT_TRUE(saved.Result.Ok()) << saved.Result.Message;
        EXPECT_EQ(saved.Path, backups + std::string(1, std::filesystem::path::preferred_separator) +
                                  "plan.kvx");
        EXPECT_EQ(test::FileBytes(saved.Path), "text");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
}

}  // namespace
}  // namespace kvtk
