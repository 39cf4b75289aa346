// Ctrl+C in the middle of a command that changes panels or writes files:
// the signal is raised as a chosen frame leaves, and the command must stop
// there, disable writing where it had enabled it and exit 130.

#include <gmock/gmock.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <sstream>

#include "files/config_writer.h"
#include "sim/sim_line.h"
#include "tests/app/cli_test_support.h"
#include "tests/files/test_folder.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using ::testing::HasSubstr;

// Raises SIGINT as the first frame starting with `prefix` (">" + address
// field + command) is sent.
test::WatchedLink::Watcher InterruptAt(std::string prefix) {
    return [prefix, raised = false](const std::string& frame) mutable {
        if (!raised && frame.starts_with(prefix)) {
            raised = true;
            std::raise(SIGINT);
        }
        return true;
    };
}

TEST(CliStop, ASignalStopsAtTheNextStepAndDisablesWritingAgain) {
    QTemporaryDir dir;
    const std::string backups = dir.path().toStdString();
    const test::TestFolder files;
    const std::string site = files.File("site.kvx");
    ASSERT_TRUE(WriteConfigFile(site, test::ConfigFor("KV-4800", "3.00"), {}).Ok());
    // The command's words; the signal comes as `frame` leaves; `lastSent` are
    // the last commands of the panel at `address`; `files` are in the backups
    // folder afterwards.
    const struct {
        std::string args, frame;
        int address;
        std::string lastSent, err;
        int files;
    } cases[] = {
        {"set-address 7 --no-backup", ">01LSWEN", 1, "LSWEN LSU",
         "stopped at: Enabling write\nkvtk-cli: writing was disabled again at address 1.\n", 0},
        {"-a 2 bad-relays --clear", ">02LSWEN", 2, "LR78 LSWEN LSU",
         "writing was disabled again at address 2.\n", 0},
        {"write " + site + " --no-backup", ">01LW902", 1, "LW9020042 LSU",
         "the write was stopped; nothing was saved and writing was disabled again.\n", 0},
        {"reset", ">01LSRESET83", 1, "KV LSRESET83",
         "the reset was stopped before the device confirmed it", 0},
        {"backup-all " + backups + " --last 3", ">02LR65", 3, "KV",
         "stopped with 1 of the 3 panels found saved.\n", 1},
    };
    for (const auto& c : cases) {
        SimLine line;
        for (int address = 1; address <= 3; ++address)
            line.AddPanel(address, "KV-4800", "3.00").SetRegister("65", "01");
        line.PanelAt(2)->SetBadRelay(3, true);
        line.Options().pacing = true;  // each reply comes after the signal
        test::WatchedLink link(line, InterruptAt(c.frame));
        std::vector<std::string> args{"--timeout", "40", "--attempts", "1"};
        std::istringstream words(c.args);
        for (std::string word; words >> word;) args.push_back(word);
        const test::CliRun run = test::RunCliInProcess(args, &link);
        EXPECT_EQ(run.Status, 130) << c.frame << run.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.err)) << c.frame;
        EXPECT_THAT(run.Err, HasSubstr("kvtk-cli: stopped by SIGINT (Ctrl+C).\n")) << c.frame;
        const SimPanel& panel = *line.PanelAt(c.address);
        std::string sent;
        for (const std::string& command : panel.Received()) sent += " " + command;
        EXPECT_TRUE(sent.ends_with(" " + c.lastSent)) << c.frame << ":" << sent;
        EXPECT_FALSE(panel.WriteEnabled()) << c.frame;
        EXPECT_EQ(line.PanelAt(7), nullptr) << c.frame;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.files) << c.frame;
    }
}

}  // namespace
}  // namespace kvtk
