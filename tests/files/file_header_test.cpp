// The header preview of the file dialogs.
#include "files/file_header.h"

#include <gmock/gmock.h>

#include <sstream>

#include "test_folder.h"
#include "tests/support/random_config.h"

namespace kvtk {
namespace {

const std::string kRule(40, '-');

HeaderReadResult HeaderOf(const std::string& text) {
    std::istringstream in(text);
    return ReadHeaderStream(in);
}

std::string HeaderText(const std::string& productLine) {
    return test::CrLf({kRule, productLine, kRule, "File Header", "Date=12-03-26", "Time=14:05:09",
                       "Desc=Night Test", kRule, "Panel Information", "Address=42"});
}

// The header of a file on disk, and the model names each header line may carry.
TEST(FileHeader, ShowsTheHeaderWithItsModelNormalised) {
    test::TestFolder folder;
    test::PutFileBytes(folder.File("a.kvx"), HeaderText("kv4800 4.00 data"));
    const FileHeaderView v = ReadHeader(folder.File("a.kvx")).View;
    EXPECT_EQ(v.Model + " " + v.Version + " " + v.Date + " " + v.Time + " " + v.Description + " " +
                  v.Address,
              "KV-4800 4.00 12-03-26 14:05:09 NIGHT TEST 42");
    const struct {
        const char *productLine, *model, *version;
    } cases[] = {
        {"tmc1400 2.05 data", "TMC-1400", "2.05"},
        {"kv-???? 1.10 data", "KV-????", "1.10"},
        {"WQ60 5.00 data", "WQ60", "5.00"},
        {"KV-5500 0.00 data", "KV-5500", ""},
        {"KV-4900 12.345678 data", "KV-4900", "12.34"},
        {"ACME-9 4.00 data", "", ""},
    };
    for (const auto& c : cases) {
        const HeaderReadResult r = HeaderOf(HeaderText(c.productLine));
        // An unlisted model shows the warning with status 1.
        EXPECT_EQ(r.Status, *c.model ? HeaderStatus::Usable : HeaderStatus::UnlistedModel);
        EXPECT_EQ(r.View.DescriptionIsWarning, !*c.model) << c.productLine;
        EXPECT_EQ(r.View.Model + " " + r.View.Version, std::string(c.model) + " " + c.version);
    }
}

TEST(FileHeader, UnreadableHeadersKeepWhatWasFilledBefore) {
    for (const std::string& text : {test::CrLf({kRule, "KV-4800"}), std::string(),
                                    std::string(10 << 20, 'A'), std::string(1 << 16, '\0')})
        EXPECT_EQ(HeaderOf(text).Status, HeaderStatus::Unreadable) << text.size();
    const HeaderReadResult shortFile =
        HeaderOf(test::CrLf({kRule, "KV-4800 4.00 data", kRule, "Desc=cut here"}));
    EXPECT_EQ(shortFile.Status, HeaderStatus::Unreadable);
    EXPECT_EQ(shortFile.View.Model + " " + shortFile.View.Description, "KV-4800 CUT HERE");
    if (test::kPosixFiles) {
        EXPECT_EQ(ReadHeader("/dev/zero").Status, HeaderStatus::Unreadable);
    }
}

}  // namespace
}  // namespace kvtk
