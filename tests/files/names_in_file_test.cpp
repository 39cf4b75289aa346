// An import of names changes the name lines and the stamp of a .kvx file and
// leaves every other byte, hand-edited ones included.
#include "files/names_in_file.h"

#include <gmock/gmock.h>

#include "tests/files/kvx_text.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

std::string HandEditedFile() {
    return test::KvxText(
        "KV-4800", "3.00",
        {{"File Header", "Date=01-02-03", "Time=04:05:06", "Desc=Lobby"},
         {"Panel Information", "Name=Hall", "Inputs=16"},
         {"Input Information", "Special Option = 00000000", "Line #1", "Name = Old", "Zone = 999",
          "Line #2", "Timer = 3", "Line #1", "NAME = Later"},
         {"Group Information", "Zone #1", "Name = G1", "Child = 1", "zone #2", "Type = Normal"}});
}

std::vector<NameRow> Rows(const std::string& csv) {
    const NamesImport parsed = ParseNamesCsv("kind,number,name\n" + csv);
    EXPECT_TRUE(parsed.Ok()) << RefusedRowsText(parsed.Refused);
    return parsed.Rows;
}

TEST(NamesInFile, OnlyNameLinesAndTheStampChange) {
    const FileStamp stamp{"12-31-26", "23:59:58", "ignored"};
    const std::string file = HandEditedFile();
    // No rows: the file stays as it was apart from its stamp ("Zone = 999" included).
    std::string expected = file;
    expected.replace(expected.find("Date=01-02-03"), 13, "Date=12-31-26");
    expected.replace(expected.find("Time=04:05:06"), 13, "Time=23:59:58");
    const NamesInFile none = PutNamesIntoFileText(file, {}, stamp);
    ASSERT_TRUE(none.Ok());
    EXPECT_EQ(none.Text, expected);

    // The last block of a number counts; a block without a name line gets one.
    const NamesInFile named =
        PutNamesIntoFileText(file, Rows("input,1,Door\ninput,2,Stair\ngroup,2,Hall\n"), stamp);
    ASSERT_TRUE(named.Ok());
    std::string renamed = expected;
    renamed.replace(renamed.find("NAME = Later"), 12, "Name = Door");
    renamed.replace(renamed.find("Line #2\r\n"), 9, "Line #2\r\nName = Stair\r\n");
    renamed.replace(renamed.find("zone #2\r\n"), 9, "zone #2\r\nName = Hall\r\n");
    EXPECT_EQ(named.Text, renamed);

    const NamesInFile missing = PutNamesIntoFileText(file, Rows("input,1,A\ninput,3,B\n"), stamp);
    EXPECT_EQ(RefusedRowsText(missing.Refused), "line 3: the file has no block for input 3\n");
}

}  // namespace
}  // namespace kvtk
