// `kvtk-cli site`: usage errors, folders that cannot be used, and the
// --only addresses refused before anything is written.

#include <gmock/gmock.h>

#include "files/config_writer.h"
#include "sim/demo_line.h"
#include "tests/app/cli_test_support.h"
#include "tests/files/test_folder.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using ::testing::HasSubstr;

void PutFile(const test::TestFolder& folder, const std::string& name, const std::string& model,
             int address) {
    Configuration config = test::ConfigFor(model, model == "WQ08" ? "5.00" : "4.00");
    config.Panel.Address = std::to_string(address);
    ASSERT_TRUE(WriteConfigFile(folder.File(name), config, {}).Ok());
}

TEST(CliSite, UsageErrorsAndFoldersThatCannotBeUsed) {
    test::TestFolder site;
    PutFile(site, "a.kvx", "KV-4800", 2);
    test::TestFolder twice;
    PutFile(twice, "b.kvx", "KV-4800", 2);
    PutFile(twice, "a.kvx", "KV-4800", 2);
    const std::string dir = site.Path().string();
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"--demo", "site"}, 2, "site needs status, write, backup or report and a DIR"},
        {{"--demo", "site", "status"}, 2, "site needs a DIR"},
        {{"--demo", "site", "status", dir, "--only", "2"}, 2, "unknown option --only for site"},
        {{"--demo", "site", "write", dir, "--only", "2,x"}, 2, "--only takes addresses"},
        {{"site", "status", dir}, 2, "needs a connection"},
        {{"site", "report", dir}, 2, "site report needs -o OUT.pdf"},
        {{"--demo", "site", "status", twice.File("none")}, 4, "is not a folder"},
        {{"--demo", "site", "status", twice.Path().string()},
         4,
         "a.kvx and b.kvx are both for address 2; keep one of them in the folder."},
    };
    for (const auto& c : cases) {
        const test::CliRun run = test::RunCliInProcess(c.args);
        const std::string name = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.Status, c.status) << name << run.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.err)) << name;
    }
}

// Address 1 is a WQ16 with a WQ08 file, 9 has a file and no panel, 3 a
// panel and no file: each is named and no panel is write-enabled.
TEST(CliSite, OnlyAddressesThatCannotBeWrittenRefuseTheWholeWrite) {
    test::TestFolder site;
    PutFile(site, "one.kvx", "WQ08", 1);
    PutFile(site, "two.kvx", "KV-4800", 2);
    PutFile(site, "nine.kvx", "KV-4800", 9);
    const std::unique_ptr<SimLine> line = MakeDemoLine();
    int writeEnables = 0;
    test::WatchedLink link(*line, [&writeEnables](const std::string& frame) {
        writeEnables += frame.find("LSWEN") != std::string::npos;
        return true;
    });
    const test::CliRun run =
        test::RunCliInProcess({"--timeout", "20", "--attempts", "1", "site", "write",
                               site.Path().string(), "--only", "2,1,9,3"},
                              &link);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    for (const char* refused :
         {"--only 1: one.kvx is for a WQ08, but the device is a WQ16 Version 5.00",
          "--only 3: no file", "--only 9: no device answers (no-panel)", "nothing was written"})
        EXPECT_THAT(run.Err, HasSubstr(refused));
    EXPECT_EQ(writeEnables, 0);
}

}  // namespace
}  // namespace kvtk
