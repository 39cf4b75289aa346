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
    test::PutFileBytes(folder.File("a.kvx"), HeaderText("KV-4800 4.00 data"));
    const HeaderReadResult r = ReadHeader(folder.File("a.kvx"));
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.View.Date, "12-03-26");
    EXPECT_EQ(r.View.Time, "14:05:09");
    EXPECT_EQ(r.View.Description, "NIGHT TEST");
    EXPECT_FALSE(r.View.DescriptionIsWarning);
}

struct ModelCase {
    const char* ProductLine;
    const char* Model;
    const char* Version;
};

class HeaderModels : public testing::TestWithParam<ModelCase> {};

TEST_P(HeaderModels, AreNormalised) {
    const HeaderReadResult r = HeaderOf(HeaderText(GetParam().ProductLine));
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.View.Model, GetParam().Model);
    EXPECT_EQ(r.View.Version, GetParam().Version);
    EXPECT_EQ(r.View.Address, "42");
}

INSTANTIATE_TEST_SUITE_P(Lines, HeaderModels,
                         testing::Values(ModelCase{"kv4800 4.00 data", "KV-4800", "4.00"},
                                         ModelCase{"KV4500 1.09 data", "KV-4500", "1.09"},
                                         ModelCase{"kv4600 2.05 data", "KV-4600", "2.05"},
                                         ModelCase{"tmc1400 2.05 data", "TMC-1400", "2.05"},
                                         ModelCase{"KV-??00 4.00 data", "KV-??00", "4.00"},
                                         ModelCase{"kv-???? 1.10 data", "KV-????", "1.10"},
                                         ModelCase{"WQ60 5.00 data", "WQ60", "5.00"},
                                         ModelCase{"KV-5500 0.00 data", "KV-5500", ""},
                                         ModelCase{"KV-4900 12.345678 data", "KV-4900", "12.34"}));

TEST(FileHeader, UnlistedModelShowsTheWarningAndStatusOne) {
    const HeaderReadResult r = HeaderOf(HeaderText("ACME-9 4.00 data"));
    EXPECT_EQ(r.Status, HeaderStatus::UnlistedModel);
    EXPECT_TRUE(r.View.DescriptionIsWarning);
    EXPECT_EQ(r.View.Model, "");
}

TEST(FileHeader, UnreadableHeadersKeepWhatWasFilledBefore) {
    EXPECT_EQ(HeaderOf(test::CrLf({kRule, "KV-4800"})).Status, HeaderStatus::Unreadable);
    EXPECT_EQ(HeaderOf("").Status, HeaderStatus::Unreadable);
    const HeaderReadResult shortFile =
        HeaderOf(test::CrLf({kRule, "KV-4800 4.00 data", kRule, "Desc=cut here"}));
    EXPECT_EQ(shortFile.Status, HeaderStatus::Unreadable);
    EXPECT_EQ(shortFile.View.Model, "KV-4800");
    EXPECT_EQ(shortFile.View.Description, "CUT HERE");
    EXPECT_EQ(ReadHeader("/dev/zero").Status, HeaderStatus::Unreadable);
}

TEST(FileHeader, HostileBytesNeverGiveAUsableHeader) {
    EXPECT_FALSE(HeaderOf(std::string(10 << 20, 'A')).Usable());
    EXPECT_FALSE(HeaderOf(std::string(1 << 16, '\0')).Usable());
}

}  // namespace
}  // namespace kvtk
