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
    // A value the reader would limit ("Zone = 999") must pass every import unchanged.
    void SetUp() override {
        Configuration original = test::RandomConfigMaker(7).Make("WQ32", "5.00");
        original.Panel.NumInputs = "16";
        std::string text = ConfigFileText(original, {"01-02-03", "04:05:06", "Lobby, east"});
        const size_t zone = text.find("Zone = ");
        text.replace(zone, text.find("\r\n", zone) - zone, "Zone = 999");
        PutFileBytes(kvx, text);
    }
    std::string Path(const char* name) const { return folder.File(name); }

    test::TestFolder folder;
    const std::string kvx = Path("site.kvx");
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
    Configuration read = test::ConfigFor("WQ32", "5.00"), expected = read;
    ASSERT_TRUE(ReadConfigFile(Path("out.kvx"), read, ReadMode::Full).Ok());
    ASSERT_TRUE(ReadConfigFile(kvx, expected, ReadMode::Full).Ok());
    expected.Inputs[2].Name = "Stair \xE9st";
    expected.Groups[60].Name = "";
    EXPECT_EQ(read, expected);
}

TEST_F(CliNamesTest, RefusedRowsAndUsageChangeNothing) {
    const std::string before = FileBytes(kvx);
    PutFileBytes(Path("bad.csv"),
                 "kind,number,name\r\ninput,1,ok\r\nzone,2,x\r\ninput,3,\"a,b\"\r\n");
    PutFileBytes(Path("far.csv"), "kind,number,name\ninput,100,x\n");
    PutFileBytes(Path("comma.csv"), "kind,number,name\r\ninput,3,\"a,b\"\r\n");
    const struct {
        std::vector<std::string> Args;
        int Status;
        std::string Err;
    } cases[] = {
        {{"names", "import", kvx, Path("bad.csv")}, 4, "line 3: unknown kind"},
        {{"names", "import", kvx, Path("missing.csv")}, 4, "missing.csv"},
        {{"names", "import", kvx, Path("far.csv")}, 4, "line 2: input 100 is beyond the inputs"},
        // A name the .kvx reader would cut, once the rest is good.
        {{"names", "import", kvx, Path("comma.csv")}, 4, "line 2: a .kvx file cannot keep"},
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
    EXPECT_EQ(FileBytes(kvx), before);
}

}  // namespace
}  // namespace kvtk
