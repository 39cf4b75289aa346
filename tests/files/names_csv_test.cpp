// The names spreadsheet: its text, the way back, and every kind of row the
// reader refuses.
#include "files/names_csv.h"

#include <gmock/gmock.h>

#include "tests/support/random_config.h"

namespace kvtk {
namespace {

using test::ConfigFor;
using test::CrLf;
using ::testing::ElementsAre;
using ::testing::Field;

Configuration NamedConfig() {
    Configuration c = ConfigFor("WQ08", "5.00");
    c.Panel.NumInputs = "4";
    c.Limits.MaxGroups = 3;
    c.Inputs[1].Name = "Lobby North";
    c.Inputs[2].Name = "Caf\xE9, \"Bar\"; \x80 5";  // comma, quotes, separator, euro sign
    c.Inputs[3].Name = "\x81";                      // a byte the code page leaves undefined
    c.Groups[3].Name = "Lobby";
    return c;
}

TEST(NamesCsv, WritesQuotedUtf8RowsThatReadBackTheSame) {
    const Configuration original = NamedConfig();
    const std::string text = NamesCsvText(original);
    EXPECT_EQ(text,
              CrLf({"kind,number,name", "input,1,Lobby North",
                    "input,2,\"Caf\xC3\xA9, \"\"Bar\"\"; \xE2\x82\xAC 5\"", "input,3,\xC2\x81",
                    "input,4,", "group,1,", "group,2,", "group,3,Lobby"}));
    const NamesImport imported = ParseNamesCsv(text);
    ASSERT_TRUE(imported.Ok()) << RefusedRowsText(imported.Refused);
    Configuration renamed = original;
    for (int n = 1; n <= 4; ++n) renamed.Inputs[n].Name = "x";
    for (int g = 1; g <= 3; ++g) renamed.Groups[g].Name = "x";
    ApplyNames(renamed, imported.Rows);
    EXPECT_EQ(renamed, original);
}

// Semicolons, a byte-order mark, LF line ends, blank lines, blanks around
// fields and trailing empty fields.
TEST(NamesCsv, ReadsSpreadsheetVariants) {
    for (const std::string bytes :
         {"\xEF\xBB\xBFKind;Number;Name\r\nINPUT; 7 ;  Hall, East  \r\n;;\r\ngroup;2;\"a;b\"\r\n",
          "kind,number,name,\n\ninput,7,\"Hall, East\",\ngroup,2,a;b"}) {
        const NamesImport result = ParseNamesCsv(bytes);
        EXPECT_TRUE(result.Ok()) << bytes << "\n" << RefusedRowsText(result.Refused);
        Configuration c = ConfigFor("WQ08", "5.00");
        ApplyNames(c, result.Rows);
        EXPECT_EQ(c.Inputs[7].Name + "|" + c.Groups[2].Name, "Hall, East|a;b") << bytes;
        EXPECT_EQ(result.Rows.size(), 2u) << bytes;
    }
}

TEST(NamesCsv, RefusesEveryBadRowWithItsLine) {
    const std::string good = "input,1,Door\r\n";
    struct Case {
        const char* What;
        std::string Rows;  // after the header and one good row (line 2)
        int Line;
    };
    const std::vector<Case> cases{
        {"unknown kind", "zone,1,A\r\n", 3},
        {"input 0", "input,0,A\r\n", 3},
        {"input 121", "input,121,A\r\n", 3},
        {"group 61", "group,61,A\r\n", 3},
        {"number not a number", "group,1.5,A\r\n", 3},
        {"a character without a byte", "input,2,\xE4\xB8\xAD\r\n", 3},
        {"not UTF-8", "input,2,Caf\xE9\r\n", 3},
        {"line break in a name", "input,2,\"two\r\nlines\"\r\n", 3},
        {"too long", "input,2," + std::string(kNameMaxLength + 1, 'a') + "\r\n", 3},
        {"too few fields", "input,2\r\n", 3},
        {"an extra field", "input,2,A,B\r\n", 3},
        {"named twice", "input,1,Other\r\n", 3},
        {"after a quoted line break", "input,2,\"a\nb\"\r\nzone,1,A\r\n", 5},
        {"an unclosed quote", "input,2,\"open", 3},
        {"a TAB", "input,2,a\tb\r\n", 3},
        {"an ESC", "group,2,\x1B[31mred\r\n", 3},
        {"a NUL", std::string("input,2,a\0b\r\n", 13), 3},
        {"a BEL at the end", "input,2,ring\x07\r\n", 3},
    };
    for (const Case& c : cases) {
        const NamesImport result = ParseNamesCsv("kind,number,name\r\n" + good + c.Rows);
        ASSERT_FALSE(result.Ok()) << c.What;
        EXPECT_EQ(result.Refused.back().Line, c.Line) << c.What;
    }
    EXPECT_THAT(ParseNamesCsv("input,1,Door\r\n").Refused,
                ElementsAre(Field(&RefusedRow::Line, 1)));
    EXPECT_THAT(ParseNamesCsv("kind,number,name\ninput,2,a\tb\n").Refused.at(0).Reason,
                ::testing::StartsWith("the name holds the control character TAB (U+0009); a "
                                      "name or description holds letters"));
}

// Export writes inputs 1..NumInputs and groups 1..MaxGroups; import takes
// exactly those and refuses the rest instead of dropping them.
TEST(NamesCsv, RowsBeyondTheConfigurationAreRefusedWithTheirLine) {
    Configuration c = ConfigFor("KV-4800", "3.00");  // 16 inputs, 12 groups
    const NamesImport rows =
        ParseNamesCsv("kind,number,name\ninput,16,a\ninput,100,b\ngroup,12,c\ngroup,13,d\n");
    ASSERT_TRUE(rows.Ok());
    EXPECT_EQ(RefusedRowsText(RowsBeyondConfiguration(rows.Rows, c)),
              "line 3: input 100 is beyond the inputs in use (1 to 16)\n"
              "line 5: group 13 is beyond the product's groups (1 to 12)\n");
}

}  // namespace
}  // namespace kvtk
