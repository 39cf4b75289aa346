// kvtk-cli on a serial device: the simulator serves a pseudo-terminal and
// the commands open it with --port. Checks what each panel receives.

#include <gmock/gmock.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <fstream>

#include "files/config_reader.h"
#include "model/conversions.h"
#include "model/products.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"
#include "tests/app/cli_test_support.h"
#include "tests/support/product_config.h"

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

TEST_F(CliPtyTest, RelayServerLoginNeverShowsThePassword) {
    SimPanel& panel = Add(1, "WQ16", "5.00");
    SimRelayServer server(line, QStringLiteral("tech"), QStringLiteral("s3cret-word"));
    ASSERT_TRUE(server.Listen()) << server.ErrorText().toStdString();
    const std::string relay = "127.0.0.1:" + std::to_string(server.Port());
    const std::string passwordFile = Path("password");
    std::ofstream(passwordFile) << "s3cret-word\n";
    const std::string wrongFile = Path("wrong");
    std::ofstream(wrongFile) << "guess\n";
    const struct {
        std::string file;
        int status;
        std::string out;
    } cases[] = {
        {passwordFile, 0, "WQ16 Version 5.00\n"},
        {wrongFile, 3, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = test::RunCliInProcess(
            {"--relay", relay, "--user", "tech", "--password-file", c.file, "--trace", "identify"});
        EXPECT_EQ(run.Status, c.status) << run.Err;
        EXPECT_EQ(run.Out, c.out);
        EXPECT_EQ((run.Out + run.Err).find("s3cret"), std::string::npos);
        EXPECT_EQ((run.Out + run.Err).find("guess"), std::string::npos);
    }
    EXPECT_EQ(panel.Received().size(), 2u);
}

}  // namespace
}  // namespace kvtk
