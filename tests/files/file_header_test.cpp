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

TEST(FileHeader, ShowsDateTimeAddressAndTheDescriptionInUpperCase) {
    test::TestFolder folder;
    test::PutFileBytes(folder.File("a.kvx"), HeaderText("kv4800 4.00 data"));
    const HeaderReadResult r = ReadHeader(folder.File("a.kvx"));
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.View.Model, "KV-4800");
    EXPECT_EQ(r.View.Date, "12-03-26");
    EXPECT_EQ(r.View.Time, "14:05:09");
    EXPECT_EQ(r.View.Description, "NIGHT TEST");
    EXPECT_EQ(r.View.Address, "42");
    EXPECT_FALSE(r.View.DescriptionIsWarning);
}

TEST(FileHeader, ModelsAreNormalised) {
    const struct {
        const char *productLine, *model, *version;
    } cases[] = {
        {"KV4500 1.09 data", "KV-4500", "1.09"},
        {"kv4600 2.05 data", "KV-4600", "2.05"},
        {"tmc1400 2.05 data", "TMC-1400", "2.05"},
        {"KV-??00 4.00 data", "KV-??00", "4.00"},
        {"kv-???? 1.10 data", "KV-????", "1.10"},
        {"WQ60 5.00 data", "WQ60", "5.00"},
        {"KV-5500 0.00 data", "KV-5500", ""},
        {"KV-4900 12.345678 data", "KV-4900", "12.34"},
        {"ACME-9 4.00 data", "", ""},  // unlisted: the warning, status 1
    };
    for (const auto& c : cases) {
        const HeaderReadResult r = HeaderOf(HeaderText(c.productLine));
        EXPECT_EQ(r.Status, *c.model ? HeaderStatus::Usable : HeaderStatus::UnlistedModel);
        EXPECT_EQ(r.View.DescriptionIsWarning, !*c.model) << c.productLine;
        EXPECT_EQ(r.View.Model, c.model);
        EXPECT_EQ(r.View.Version, c.version) << c.productLine;
    }
}

TEST(FileHeader, UnreadableHeadersKeepWhatWasFilledBefore) {
    for (const std::string& text : {test::CrLf({kRule, "KV-4800"}), std::string(),
                                    std::string(10 << 20, 'A'), std::string(1 << 16, '\0')})
        EXPECT_EQ(HeaderOf(text).Status, HeaderStatus::Unreadable) << text.size();
    const HeaderReadResult shortFile =
        HeaderOf(test::CrLf({kRule, "KV-4800 4.00 data", kRule, "Desc=cut here"}));
    EXPECT_EQ(shortFile.Status, HeaderStatus::Unreadable);
    EXPECT_EQ(shortFile.View.Model, "KV-4800");
    EXPECT_EQ(shortFile.View.Description, "CUT HERE");
    EXPECT_EQ(ReadHeader("/dev/zero").Status, HeaderStatus::Unreadable);
}

}  // namespace
}  // namespace kvtk
