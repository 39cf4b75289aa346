// `kvtk-cli site` over a pseudo-terminal served by the simulator: four
// panels' worth of a site (one the same as its file, one differing, one
// without a file, one file without a panel), surveyed, written, surveyed.

#include <gmock/gmock.h>

#include <QDir>
#include <QTemporaryDir>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "tests/app/cli_test_support.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using test::CliRun;

TEST(CliSitePty, StatusShowsEveryStateAndWriteBringsTheDifferingPanelToItsFile) {
    SimLine line;
    line.AddPanel(1, "WQ16", "5.00");
    line.AddPanel(2, "KV-4800", "4.00");
    line.AddPanel(3, "TMC-1400", "4.00");
    SimPty pty(line);
    QTemporaryDir dir;
    const auto path = [&dir](const std::string& name) {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    };
    const std::string site = path("site");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(site)));
    {
        // The files as the panels hold them, read on a quick in-process line.
        SimulatedLink link(line);
        for (const char* address : {"1", "2"})
            ASSERT_EQ(test::RunCliInProcess(
                          {"-a", address, "read", "-o", site + "/panel" + address + ".kvx"}, &link)
                          .Status,
                      0);
    }
    Configuration two = test::ConfigFor("KV-4800", "4.00");
    ASSERT_TRUE(ReadConfigFile(site + "/panel2.kvx", two, ReadMode::Full).Ok());
    two.Inputs[2].Group = 9;
    two.Inputs[3].Group = 8;
    ASSERT_TRUE(WriteConfigFile(site + "/panel2.kvx", two, {}).Ok());
    Configuration spare = test::ConfigFor("WQ08", "5.00");
    spare.Panel.Address = "4";
    ASSERT_TRUE(WriteConfigFile(site + "/spare.kvx", spare, {}).Ok());

    ASSERT_TRUE(pty.Open()) << pty.ErrorText().toStdString();
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", pty.SlavePath().toStdString(), "--timeout", "150"});
        return test::RunCliInProcess(args, nullptr, [] { return std::time_t{1796565600}; });
    };
    const std::string differing = "2\tdiffers\tKV-4800\tpanel2.kvx\t2\n";
    const std::string rest =
        "3\tno-file\tTMC-1400\t-\n"
        "4\tno-panel\t-\tspare.kvx\n";
    const CliRun before = run({"site", "status", site, "--quick"});
    EXPECT_EQ(before.Status, 1) << before.Err;
    EXPECT_EQ(before.Out, "1\tsame\tWQ16\tpanel1.kvx\n" + differing + rest);

    const CliRun write = run({"site", "write", site, "--changes-only", "--verify", "--save-wait",
                              "0", "--backup", path("backups")});
    EXPECT_EQ(write.Status, 0) << write.Err;
    EXPECT_EQ(write.Out, "2\tdone\tpanel2.kvx\n");
    EXPECT_EQ(QDir(QString::fromStdString(path("backups"))).entryList(QDir::Files).size(), 1);

    const CliRun after = run({"site", "status", site, "--quick", "--json"});
    EXPECT_EQ(after.Status, 1) << after.Err;
    EXPECT_THAT(after.Out,
                ::testing::HasSubstr(
                    "{\"address\":2,\"state\":\"same\",\"product\":\"KV-4800\",\"version\":"
                    "\"4.00\",\"file\":\"panel2.kvx\",\"differences\":0},{\"address\":3,\"state\":"
                    "\"no-file\",\"product\":\"TMC-1400\",\"version\":\"4.00\",\"file\":null,"
                    "\"differences\":0},{\"address\":4,\"state\":\"no-panel\",\"product\":null,"
                    "\"version\":null,\"file\":\"spare.kvx\",\"differences\":0}]}\n"));
}

}  // namespace
}  // namespace kvtk
