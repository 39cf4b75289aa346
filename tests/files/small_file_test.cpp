// Small files read whole: only plain files, never more than the bound.
#include "files/small_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/files/test_folder.h"

namespace kvtk {
namespace {

TEST(SmallFile, ReadsPlainFilesUpToTheBoundAndRefusesTheRest) {
    test::TestFolder folder;
    std::ofstream(folder.File("password")) << "s3cret\r\nsecond line\n";
    std::ofstream(folder.File("full")) << std::string(kSmallFileLimit, 'x');
    std::ofstream(folder.File("over")) << std::string(kSmallFileLimit + 1, 'x');
    struct Case {
        std::string path;
        std::string error;
    };
    std::vector<Case> cases = {
        {folder.File("password"), ""},
        {folder.File("full"), ""},
        {folder.File("over"), "larger than 4096 bytes"},
        {folder.Path().string(), "not a regular file"},
        {folder.File("none"), "no such file"},
        {folder.File("password") + "/x", "no such file"},
    };
    if (test::kPosixFiles) {
        ASSERT_TRUE(test::MakePipe(folder.File("fifo")));
        cases.push_back({"/dev/zero", "not a regular file"});
        cases.push_back({folder.File("fifo"), "not a regular file"});  // would block in open()
    } else {
        cases.push_back({folder.File("Con.txt"), "not a regular file"});  // the console
    }
    for (const auto& c : cases) {
        const SmallFileResult result = ReadSmallFile(c.path);
        EXPECT_EQ(result.Error, c.error) << c.path;
        if (result.Ok()) {
            EXPECT_EQ(result.Text, test::FileBytes(c.path));
        }
    }
    EXPECT_EQ(FirstLine(ReadSmallFile(folder.File("password")).Text), "s3cret");
}

}  // namespace
}  // namespace kvtk
