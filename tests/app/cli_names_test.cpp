// kvtk-cli names: the way out and back through a spreadsheet leaves the
// .kvx file as it was, and a refused row leaves it untouched.
#include <gmock/gmock.h>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "tests/app/cli_test_support.h"
#include "tests/files/test_folder.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

using test::FileBytes;
using test::PutFileBytes;
using test::RunCliInProcess;
using ::testing::HasSubstr;

class CliNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        original = test::RandomConfigMaker(7).Make("WQ32", "5.00");
        ASSERT_TRUE(WriteConfigFile(kvx, original, {"01-02-03", "04:05:06", "Lobby, east"}).Ok());
    }
    std::string Path(const char* name) const { return folder.File(name); }

    test::TestFolder folder;
    const std::string kvx = Path("site.kvx");
    Configuration original;
};

TEST_F(CliNamesTest, ExportThenImportLeavesTheFileAsItWas) {
    const std::string before = FileBytes(kvx);
    ASSERT_EQ(RunCliInProcess({"names", "export", kvx, "-o", Path("n.csv")}).Status, 0);
    const auto run = RunCliInProcess({"names", "import", kvx, Path("n.csv")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(test::WithoutLines(FileBytes(kvx), {"Date=", "Time="}),
              test::WithoutLines(before, {"Date=", "Time="}));
}

TEST_F(CliNamesTest, ImportToAnotherFileChangesOnlyTheNamesGiven) {
    PutFileBytes(Path("n.csv"), "kind;number;name\ninput;2;Stair \xC3\xA9st\ngroup;60;\n");
    ASSERT_EQ(
        RunCliInProcess({"names", "import", kvx, Path("n.csv"), "-o", Path("out.kvx")}).Status, 0);
    Configuration read = original;
    ASSERT_TRUE(ReadConfigFile(Path("out.kvx"), read, ReadMode::Full).Ok());
    Configuration expected = original;
    expected.Inputs[2].Name = "Stair \xE9st";
    expected.Groups[60].Name = "";
    EXPECT_EQ(read, expected);
}

TEST_F(CliNamesTest, RefusedRowsAndUsageChangeNothing) {
    const std::string before = FileBytes(kvx);
    PutFileBytes(Path("bad.csv"),
                 "kind,number,name\r\ninput,1,ok\r\nzone,2,x\r\ninput,3,\"a,b\"\r\n");
    const struct {
        std::vector<std::string> Args;
        int Status;
        std::string Err;
    } cases[] = {
        {{"names", "import", kvx, Path("bad.csv")}, 4, "line 3: unknown kind"},
        {{"names", "import", kvx, Path("missing.csv")}, 4, "missing.csv"},
        {{"names", "import", kvx}, 2, "names needs FILE.kvx and names.csv"},
        {{"names", "rename", kvx}, 2, "names needs export"},
        {{"names", "export", Path("")}, 4, "Is a directory"},  // was "no such file, or ..."
        {{"names", "import", kvx, Path("")}, 4, "Is a directory"},
    };
    for (const auto& c : cases) {
        const auto run = RunCliInProcess(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.Err));
    }
    // A name the .kvx reader would cut is refused too, once the rest is good.
    PutFileBytes(Path("comma.csv"), "kind,number,name\r\ninput,3,\"a,b\"\r\n");
    const auto comma = RunCliInProcess({"names", "import", kvx, Path("comma.csv")});
    EXPECT_EQ(comma.Status, 4);
    EXPECT_THAT(comma.Err, HasSubstr("line 2: a .kvx file cannot keep"));
    EXPECT_EQ(FileBytes(kvx), before);
}

// Names beyond the product are refused with their line, and an import keeps
// every other byte of the file, values the reader would limit included.
TEST_F(CliNamesTest, ImportRefusesNamesBeyondTheProductAndKeepsTheRestOfTheFile) {
    Configuration small = test::RandomConfigMaker(3).Make("KV-4800", "3.00");
    small.Panel.NumInputs = "16";
    const std::string kvx48 = Path("kv4800.kvx");
    std::string text = ConfigFileText(small, {"01-02-03", "04:05:06", "x"});
    text.replace(text.find("Zone = "),
                 text.find("\r\n", text.find("Zone = ")) - text.find("Zone = "), "Zone = 999");
    PutFileBytes(kvx48, text);
    PutFileBytes(Path("far.csv"), "kind,number,name\ninput,100,x\ngroup,13,y\n");
    const auto far = RunCliInProcess({"names", "import", kvx48, Path("far.csv")});
    EXPECT_EQ(far.Status, 4);
    EXPECT_THAT(far.Err, HasSubstr("line 2: input 100 is beyond the inputs in use (1 to 16)"));
    EXPECT_THAT(far.Err, HasSubstr("line 3: group 13 is beyond the product's groups (1 to 12)"));
    EXPECT_EQ(FileBytes(kvx48), text);

    PutFileBytes(Path("header.csv"), "kind,number,name\n");
    const auto none = RunCliInProcess({"names", "import", kvx48, Path("header.csv")});
    ASSERT_EQ(none.Status, 0) << none.Err;
    EXPECT_EQ(test::WithoutLines(FileBytes(kvx48), {"Date=", "Time="}),
              test::WithoutLines(text, {"Date=", "Time="}));
}

}  // namespace
}  // namespace kvtk
