// kvtk-cli on a serial device: the simulator serves a pseudo-terminal and
// the commands open it with --port. Checks what each panel receives.

#include <gmock/gmock.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <fstream>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "model/conversions.h"
#include "model/products.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"
#include "tests/app/cli_test_support.h"
#include "tests/support/product_config.h"
#include "transfer/panel_snapshot.h"

namespace kvtk {
namespace {

using test::CliRun;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

std::string Hex2(int n) {
    return NumberToHex(n, 2);
}

class CliPtyTest : public ::testing::Test {
protected:
    SimPanel& Add(int address, const std::string& model, const std::string& version) {
        return line.AddPanel(address, model, version);
    }
    CliRun Run(std::vector<std::string> args) {
        if (!pty.IsOpen()) {
            EXPECT_TRUE(pty.Open()) << pty.ErrorText().toStdString();
        }
        args.insert(args.begin(), {"--port", pty.SlavePath().toStdString(), "--timeout", "150"});
        return test::RunCliInProcess(args);
    }
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    SimLine line;
    SimPty pty{line};
    QTemporaryDir dir;
};

TEST_F(CliPtyTest, FullReadAsksEveryRegisterTheProductHas) {
    const struct {
        std::string model, version;
        int inputs, groups;
        bool groupTypes, specialOptions, groupFlash;
    } cases[] = {
        {"WQ16", "5.00", 16, 60, true, true, true},
        {"KV-4800", "3.00", 16, 12, false, true, true},
        {"KV-4900", "1.09", 12, 30, false, false, false},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model + " " + c.version);
        SimPanel& panel = Add(address, c.model, c.version);
        panel.SetRegister("65", Hex2(c.inputs));
        // Input 1: timer 2, Momentary On/Off, group 7 in the product's layout.
        panel.SetRegister("9:01", c.version == "1.09" ? "0167" : "02C7");
        const std::string file = Path(c.model + ".kvx");
        const CliRun run = Run({"-a", std::to_string(address), "read", "-o", file});
        ASSERT_EQ(run.Status, 0) << run.Err;

        std::vector<std::string> expected{"LR73", "KV",   "LR65", "LR64", "LR61", "LR62",
                                          "LR41", "LR42", "LR43", "LR66", "LR63"};
        if (c.specialOptions) expected.push_back("LR24");
        for (int n = 1; n <= c.inputs; ++n) expected.push_back("LR9" + Hex2(n));
        for (int g = 1; g <= c.groups; ++g) {
            if (c.groupTypes) expected.push_back("LR21" + Hex2(g));
            for (const char* reg : {"LR3", "LR5", "LR67"}) expected.push_back(reg + Hex2(g));
        }
        if (c.groupFlash) expected.push_back("LR23");
        EXPECT_THAT(panel.Received(), ElementsAreArray(expected));

        Configuration config = test::ConfigFor(c.model, c.version);
        ASSERT_TRUE(ReadConfigFile(file, config, ReadMode::Full).Ok());
        EXPECT_EQ(config.Panel.NumInputs, std::to_string(c.inputs));
        EXPECT_EQ(config.Panel.Address, std::to_string(address));
        EXPECT_EQ(config.Inputs[1].Group, 7);
        EXPECT_EQ(config.Inputs[1].Timer, 2);
        EXPECT_EQ(config.Inputs[1].Type, kMomentaryOnOff);
        ++address;
    }
}

// The simulator acknowledges one register write without storing it: the
// check after the write must name exactly that value. Each write keeps a
// new backup.
TEST_F(CliPtyTest, VerifyAfterWriteCatchesAWriteThePanelDropped) {
    Add(1, "WQ16", "5.00");
    Configuration config;
    config.Identity = {"WQ16", "5.00"};
    ApplyProductCapabilities(config, "WQ16", "5.00");
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
    SimPanel& panel = Add(1, "WQ16", "5.00");
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
    Add(1, "WQ16", "5.00");
    ASSERT_TRUE(QFile::link(pty.SlavePath(), dir.filePath(QStringLiteral("panel-line"))));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const CliRun run = test::RunCliInProcess({"--port", "panel-line", "identify"});
    QDir::setCurrent(before);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "WQ16 Version 5.00\n");
}

}  // namespace
}  // namespace kvtk
