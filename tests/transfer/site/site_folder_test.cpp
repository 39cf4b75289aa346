#include "transfer/site/site_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/config_writer.h"
#include "tests/files/test_folder.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// Only .kvx files count; each is read whole, so a damaged one is listed
// with its reason and the others still make the site.
TEST(SiteFolder, ReadsEveryKvxFileAndListsTheOnesThatCannotBeUsed) {
    test::TestFolder folder;
    Configuration config = test::ConfigFor("KV-4800", "4.00");
    config.Panel.Address = "12";
    ASSERT_TRUE(WriteConfigFile(folder.File("lobby.KVX"), config, {}).Ok());
    const std::string whole = test::FileBytes(folder.File("lobby.KVX"));
    test::PutFileBytes(folder.File("cut.kvx"), whole.substr(0, whole.size() / 2));
    test::PutFileBytes(folder.File("other.kvx"), "x\r\nZZ-1 1.00\r\n");
    test::PutFileBytes(folder.File("notes.txt"), "not a configuration");
    std::filesystem::create_directory(folder.File("old.kvx"));

    const SiteFiles site = ReadSiteFolder(folder.Path().string());

    ASSERT_TRUE(site.Usable()) << site.Refusal;
    ASSERT_EQ(site.Files.size(), 1u);
    EXPECT_EQ(site.Files[0].Name, "lobby.KVX");
    EXPECT_EQ(site.Files[0].Address, 12);
    EXPECT_EQ(site.Files[0].Model, "KV-4800");
    std::vector<std::string> unreadable;
    for (const SiteFileProblem& file : site.Unreadable) unreadable.push_back(file.Name);
    EXPECT_EQ(unreadable, (std::vector<std::string>{"cut.kvx", "old.kvx", "other.kvx"}));
    for (const SiteFileProblem& file : site.Unreadable) EXPECT_FALSE(file.Why.empty()) << file.Name;
    EXPECT_FALSE(ReadSiteFolder(folder.File("missing")).Usable());
}

}  // namespace
}  // namespace kvtk
