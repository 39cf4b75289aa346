// kvtk-cli on a serial device (the simulator serves a pseudo-terminal and
// the commands open it with --port) and through a relay server.

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "comm/serial_link.h"
#include "files/config_writer.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"
#include "tests/app/cli_test_support.h"
#include "tests/support/product_config.h"
#include "transfer/operations/panel_snapshot.h"

namespace kvtk {
namespace {

using test::CliRun;
using ::testing::HasSubstr;

class CliPtyTest : public ::testing::Test {
protected:
    CliRun Run(std::vector<std::string> args) {
        if (!pty.IsOpen()) {
            EXPECT_TRUE(pty.Open()) << pty.ErrorText().toStdString();
        }
        args.insert(args.begin(), {"--port", pty.SlavePath().toStdString(), "--timeout", "150"});
        return test::RunCliInProcess(args, nullptr, [] { return std::time_t{1796565600}; });
    }
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    SimLine line;
    SimPty pty{line};
    QTemporaryDir dir;
};

// The simulator acknowledges one register write without storing it: the
// check after the write must name exactly that value. Each write keeps a
// new backup, also in the same minute.
TEST_F(CliPtyTest, VerifyAfterWriteCatchesAWriteThePanelDropped) {
    line.AddPanel(1, "WQ16", "5.00");
    Configuration config = test::ConfigFor("WQ16", "5.00");
    config.Inputs[2].Group = 9;
    const std::string file = Path("site.kvx");
    ASSERT_TRUE(WriteConfigFile(file, config, {}).Ok());
    const std::string backups = Path("backups");
    const struct {
        int swallowWrite;  // 12: input 2, after the ten header rows and input 1
        int status;
        std::string out;
    } cases[] = {
        {12, 1, "Input 2 group: file 9, panel 2\n"},
        {0, 0, std::string(kVerifiedText) + "\n"},
    };
    for (const auto& c : cases) {
        line.Options().swallowWrite = c.swallowWrite;
        line.ResetFaults();
        const CliRun run =
            Run({"write", file, "--save-wait", "0", "--verify", "--backup", backups});
        EXPECT_EQ(run.Status, c.status) << run.Err;
        EXPECT_EQ(run.Out, c.out);
    }
    EXPECT_EQ(QDir(QString::fromStdString(backups)).entryList(QDir::Files).size(), 2);
}

TEST_F(CliPtyTest, RelayServerLoginNeverShowsThePassword) {
    SimPanel& panel = line.AddPanel(1, "WQ16", "5.00");
    SimRelayServer server(line, QStringLiteral("tech"), QStringLiteral("s3cret-word"));
    ASSERT_TRUE(server.Listen()) << server.ErrorText().toStdString();
    server.SetNoAnswerDelayMs(0);
    const std::string relay = "127.0.0.1:" + std::to_string(server.Port());
    const std::string passwordFile = Path("password");
    std::ofstream(passwordFile) << "s3cret-word\n";
    const std::string wrongFile = Path("wrong");
    std::ofstream(wrongFile) << "guess\n";
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string nobody = "127.0.0.1:" + std::to_string(closed.serverPort());
    closed.close();
    const struct {
        std::string server, file, address;
        int status;
        std::string out, err;
    } cases[] = {
        {relay, passwordFile, "1", 0, "WQ16 Version 5.00\n", "< 1A"},
        {relay, passwordFile, "9", 3, "Not connected\n", "< 1ERR no answer from the panel"},
        {relay, wrongFile, "1", 1, "",
         "(Authentication Failure); it answered \"NO Authentication failed\"."},
        {nobody, passwordFile, "1", 3, "", "cannot connect to the relay server 127.0.0.1 port"},
    };
    for (const auto& c : cases) {
        const CliRun run =
            test::RunCliInProcess({"--relay", c.server, "--user", "tech", "--password-file", c.file,
                                   "--trace", "--attempts", "1", "-a", c.address, "identify"});
        EXPECT_EQ(run.Status, c.status) << run.Err;
        EXPECT_EQ(run.Out, c.out);
        EXPECT_THAT(run.Err, HasSubstr(c.err));
        EXPECT_EQ((run.Out + run.Err).find("s3cret"), std::string::npos);
        EXPECT_EQ((run.Out + run.Err).find("guess"), std::string::npos);
    }
    EXPECT_EQ(panel.Received().size(), 2u);
}

TEST_F(CliPtyTest, ARelativePortPathIsTheFileItNames) {
    ASSERT_TRUE(pty.Open());
    line.AddPanel(1, "WQ16", "5.00");
    ASSERT_TRUE(QFile::link(pty.SlavePath(), dir.filePath(QStringLiteral("panel-line"))));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const CliRun run = test::RunCliInProcess({"--port", "panel-line", "identify"});
    QDir::setCurrent(before);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "WQ16 Version 5.00\n");
}

// A port another program holds, by whatever name: refused in words (not as
// a permission error), with the exit status of an unreachable panel.
TEST_F(CliPtyTest, APortHeldElsewhereIsInUseExit3) {
    line.AddPanel(1, "WQ16", "5.00");
    ASSERT_TRUE(pty.Open()) << pty.ErrorText().toStdString();
    const QString stable = dir.filePath(QStringLiteral("usb-FTDI_FT232R_A1B2-if00-port0"));
    ASSERT_TRUE(QFile::link(pty.SlavePath(), stable));
    SerialLink holder;
    ASSERT_TRUE(holder.open(pty.SlavePath()));
    const CliRun run =
        test::RunCliInProcess({"--port", stable.toStdString(), "--timeout", "150", "identify"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_EQ(run.Err, "kvtk-cli: " + stable.toStdString() + " is in use by another program.\n");
    holder.close();
    EXPECT_EQ(Run({"identify"}).Status, 0);
}

// ports needs no connection and lists what the system reports, one line of
// five fields per port or one JSON object.
TEST_F(CliPtyTest, PortsListsWithoutAConnection) {
    const CliRun text = test::RunCliInProcess({"ports"});
    EXPECT_EQ(text.Status, 0) << text.Err;
    std::istringstream lines(text.Out);
    for (std::string row; std::getline(lines, row);) {
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 4) << row;
        EXPECT_THAT(row, ::testing::ContainsRegex("\t(yes\t-|no\t[^-].*)$")) << row;
    }
    const CliRun json = test::RunCliInProcess({"ports", "--json"});
    EXPECT_EQ(json.Status, 0) << json.Err;
    EXPECT_THAT(json.Out, ::testing::MatchesRegex("\\{\"ports\":\\[.*\\]\\}\n"));
    EXPECT_EQ(test::RunCliInProcess({"ports", "COM1"}).Status, 2);
}

}  // namespace
}  // namespace kvtk
