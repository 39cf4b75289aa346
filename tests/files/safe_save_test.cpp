// Saving: all or nothing, and failures told apart with their exact texts.
#include "files/safe_save.h"

#include <gmock/gmock.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <tuple>
#include <vector>

#include "files/config_writer.h"
#include "test_folder.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

namespace fs = std::filesystem;

long FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

TEST(SafeSave, ADiskFullSaveLeavesThePreviousFileUntouched) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    test::TestFolder folder;
    const std::string target = folder.File("plan.kvx");
    test::PutFileBytes(target, "previous contents");
    const auto writeToFullDevice = [](const fs::path&) { return std::fopen("/dev/full", "wb"); };
    const FileResult result = SaveFileAtomically(target, "new contents", writeToFullDevice);
    EXPECT_EQ(result.Outcome, FileOutcome::DiskFull);
    EXPECT_THAT(result.Message, ::testing::StartsWith("The disk is FULL!"));
    EXPECT_EQ(test::FileBytes(target), "previous contents");
    EXPECT_EQ(FilesIn(folder.Path()), 1);
}

// The temporary file vanished before the rename (another program moved it
// away): the save failed, whatever was written.
TEST(SafeSave, AFailedRenameIsAFailedSave) {
    test::TestFolder folder;
    const std::string target = folder.File("plan.kvx");
    test::PutFileBytes(target, "previous contents");
    const auto vanishing = [](const fs::path& candidate) {
        return CreateNewFile(fs::path(candidate) += ".moved");
    };
    const FileResult result = SaveFileAtomically(target, "new contents", vanishing);
    EXPECT_EQ(result.Outcome, FileOutcome::PathNotFound);
    EXPECT_EQ(result.Message, "No such file or directory (2)\r");
    EXPECT_EQ(test::FileBytes(target), "previous contents");
    EXPECT_EQ(FilesIn(folder.Path()), 2);  // the target and the moved temporary
}

// A new file (a temporary, a claimed backup name) never reuses an old one.
TEST(SafeSave, ANewFileIsNeverOneThatExists) {
    test::TestFolder folder;
    const std::string path = folder.File("plan.kvx.tmp0");
    test::PutFileBytes(path, "another save's bytes");
    errno = 0;
    std::FILE* file = CreateNewFile(path);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(errno, EEXIST);
    if (file) std::fclose(file);
    EXPECT_EQ(test::FileBytes(path), "another save's bytes");
}

// Saved through a symbolic link, the link stays a link to the saved file.
TEST(SafeSave, ReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporary) {
    test::TestFolder folder;
    const std::string target = folder.File("plan.kvx");
    test::PutFileBytes(target, "previous contents that were longer");
    std::string savedAs = target;
    if (test::kPosixFiles) {
        fs::permissions(target,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        fs::create_symlink(target, folder.Path() / "link.kvx");
        savedAs = folder.File("link.kvx");
    }
    const Configuration c = test::ConfigFor("WQ16", "5.00");
    ASSERT_TRUE(WriteConfigFile(savedAs, c, {"01-01-01", "00:00:00", ""}).Ok());
    EXPECT_EQ(test::FileBytes(target), ConfigFileText(c, {"01-01-01", "00:00:00", ""}));
    if (!test::kPosixFiles) {
        EXPECT_EQ(FilesIn(folder.Path()), 1);
        return;
    }
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.kvx"));
    EXPECT_EQ(FilesIn(folder.Path()), 2);
}

// A pipe (or a link to one), a folder, a missing or unwritable folder, a
// Windows device name: the save is refused in the system's words and
// nothing there changes.
TEST(SafeSave, TargetsThatCannotBeWrittenAreRefusedInWordsAndLeftAsTheyWere) {
    test::TestFolder folder;
    fs::create_directory(folder.Path() / "folder.kvx");
    std::vector<std::tuple<std::string, FileOutcome, const char*>> cases = {
        {folder.File("folder.kvx"), FileOutcome::Other, "Is a directory"},
        {folder.File("no/such/folder/plan.kvx"), FileOutcome::PathNotFound,
         "No such file or directory (2)\r"},
    };
    const fs::path pipe = folder.Path() / "pipe.kvx";
    std::string locked = folder.File("locked/plan.kvx");
    if (test::kPosixFiles) {
        ASSERT_TRUE(test::MakePipe(pipe.string()));
        fs::create_symlink(pipe, folder.Path() / "link.kvx");
        fs::create_directory(folder.Path() / "locked");
        fs::permissions(folder.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        if (std::FILE* probe = std::fopen(folder.File("locked/probe").c_str(), "wb")) {
            // Permissions do not bind this user (root): use a folder nobody may
            // create files in.
            std::fclose(probe);
            fs::remove(folder.File("locked/probe"));
            locked = "/sys/kvtk-plan.kvx";
        }
        cases.push_back({pipe.string(), FileOutcome::Other, "Not a regular file but a named pipe"});
        cases.push_back(
            {folder.File("link.kvx"), FileOutcome::Other, "Not a regular file but a named pipe"});
        cases.push_back({locked, FileOutcome::Other, "Permission denied (13)\r"});
    } else {
        cases.push_back({folder.File("nul.kvx"), FileOutcome::Other,
                         "Not a regular file but a character device"});
    }
    for (const auto& [target, outcome, message] : cases) {
        const FileResult result = WriteConfigFile(target, test::ConfigFor("WQ16", "5.00"), {});
        EXPECT_EQ(result.Outcome, outcome) << target;
        EXPECT_EQ(result.Title, "Write Error");
        EXPECT_THAT(result.Message, ::testing::StartsWith(message)) << target;
    }
    EXPECT_TRUE(fs::is_directory(folder.Path() / "folder.kvx"));
    if (!test::kPosixFiles) {
        EXPECT_EQ(FilesIn(folder.Path()), 1);
        return;
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_FALSE(fs::exists(locked));
    EXPECT_EQ(FilesIn(folder.Path()), 4);
}

}  // namespace
}  // namespace kvtk
