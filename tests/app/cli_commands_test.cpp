// Black-box checks of kvtk-cli: usage errors and exit statuses, the
// program itself, and read-write-verify round trips on every product.

#include <gmock/gmock.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <map>

#include "files/config_writer.h"
#include "model/products.h"
#include "sim/sim_line.h"
#include "sim/simulated_link.h"
#include "tests/app/cli_test_support.h"
#include "tests/files/test_folder.h"
#include "tests/support/fake_link.h"
#include "tests/support/panel_random_config.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using test::RunCliInProcess;
using ::testing::AllOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

class CliCommandsTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    // Runs on a WQ16 at address 1 whose line breaks after `answered` replies.
    static test::CliRun RunOnALineBreakingAfter(int answered, std::vector<std::string> args) {
        SimLine line;
        line.AddPanel(1, "WQ16", "5.00");
        line.Options().disconnectAfter = answered;
        SimulatedLink link(line);
        args.insert(args.begin(), {"--timeout", "20", "--attempts", "1"});
        return RunCliInProcess(args, &link);
    }
    QTemporaryDir dir;
};

TEST_F(CliCommandsTest, ExitStatusesAndMessages) {
    qunsetenv("KVTK_RELAY_PASSWORD");
    std::ofstream(Path("empty"));
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const std::vector<std::string> relay{"--relay", "127.0.0.1:9", "--user", "u"};
    const std::vector<std::string> quiet{"--demo", "-a", "9", "--timeout", "20", "--attempts", "1"};
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;  // expected substring of standard output
        std::string err;  // expected substring of standard error
    } cases[] = {
        {{}, 2, "", "no command given"},
        {{"--demo", "frobnicate"}, 2, "", "unknown command \"frobnicate\""},
        {{"identify"}, 2, "", "needs a connection"},
        {{"--demo", "--port", "/dev/null", "identify"}, 2, "", "choose one of"},
        {{"--demo", "-a", "256", "identify"}, 2, "", "from 0 to 255, not \"256\""},
        {{"--demo", "--timeout", "x", "identify"}, 2, "", "--timeout takes a whole number"},
        {{"--demo", "read"}, 2, "", "read needs -o FILE"},
        {{"--demo", "set-address", "0"}, 2, "", "from 1 to 255"},
        {{"--demo", "identify", "extra"}, 2, "", "unexpected argument \"extra\""},
        {{"--demo", "write", "f.kvx", "--no-header", "--no-inputs", "--no-groups"},
         2,
         "",
         "nothing left to write"},
        {{"--relay", "localhost", "identify"}, 2, "", "--relay needs --user"},
        {{"--relay", "h:65536", "--user", "u", "identify"}, 2, "", "a port from 1 to 65535"},
        {{"--port", "", "identify"}, 2, "", "--port needs a device PATH"},
        {with(relay, {"identify"}), 2, "", "--relay needs a password"},
        {with(relay, {"--password-file", "/dev/zero", "identify"}), 4, "", "not a regular file"},
        {with(relay, {"--password-file", Path("empty"), "identify"}), 4, "", "no password"},
        {{"--demo", "groups", "--on", "61"}, 2, "", "--on takes a whole number from 1 to 60"},
        {{"--demo", "-a", "3", "groups", "--on", "13"}, 2, "", "groups 1 to 12, not 13"},
        {{"--demo", "report", "f.kvx", "-o", "f.doc"}, 2, "", "a .txt or a .pdf"},
        {{"report", "f.kvx", "-o", "f.pdf", "--paper", "a3"}, 2, "", "--paper takes a4, letter or"},
        {{"--demo", "write", "--help"}, 0, "Usage: kvtk-cli [connection] [options] write", ""},
        {{"help"}, 0, "Exit status", ""},
        {{"--version"}, 0, "kvtk-cli 5.1", ""},
        {{"--demo", "identify"}, 0, "WQ16 Version 5.00\n", ""},
        {{"--demo", "--address=17", "identify"}, 0, "KV-4500 Version 1.07\n", ""},
        {with(quiet, {"identify"}), 3, "Not connected\n", ""},
        {with(quiet, {"send", "KV"}), 3, "T\n", "no device answers at address 9."},
        {with(quiet, {"read", "-o", "x.kvx"}), 3, "", "no device answers at address 9."},
        {with(quiet, {"scan", "--first", "8", "--last", "9"}), 3, "",
         "no device answers from address 8"},
        {{"--demo", "scan", "--first", "1", "--last", "3", "--timeout", "20"},
         0,
         "1\tWQ16 Version 5.00\n2\tKV-4800 Version 4.00\n3\tKV-4800 Version 3.00\n",
         ""},
        {{"--demo", "send", "LR73"}, 0, "A0001\n", ""},
        {{"--demo", "send", "LR99"}, 3, "T\n", ""},
        {{"--demo", "write", "/nonexistent/x.kvx"}, 4, "", "/nonexistent/x.kvx: no such file."},
        {{"--port", "/nonexistent/tty", "identify"}, 3, "", "cannot open /nonexistent/tty"},
        {{"--demo", "-a", "5", "bad-relays"}, 0, "No bad relays found.\n", ""},
        {{"--demo", "read", "-o", "x.kvx", "--desc", "\xF0\x9F\x98\x80"},
         2,
         "",
         "--desc: the character U+1F600 cannot be stored in the panel's 8-bit text"},
        {{"--demo", "read", "-o", "x.kvx", "--desc", "a\tb"},
         2,
         "",
         "--desc holds the control character TAB (U+0009)"},
        {{"--demo", "read", "-o", "x.kvx", "--desc", "Caf\xE9"}, 2, "", "--desc is not UTF-8"},
    };
    for (const auto& c : cases) {
        const auto run = RunCliInProcess(c.args);
        const std::string name = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.Status, c.status) << name << run.Err;
        EXPECT_THAT(run.Out, HasSubstr(c.out)) << name;
        EXPECT_THAT(run.Err, HasSubstr(c.err)) << name;
    }
}

TEST_F(CliCommandsTest, ALinkLostMidwayIsNeverReportedAsSuccess) {
    const std::string good = Path("good.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "read", "-o", good}).Status, 0);
    const std::string out = Path("out.kvx");
    // LR73, KV, LR65, LR64, LR61 answered, then the line breaks.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"read", "-o", out}, "was not written"},
        {{"read", "-o", out, "--skip-failed"}, "skipped .*: Input 1\n.*" + out + " is incomplete"},
        {{"write", good, "--save-wait", "0", "--no-backup"}, "may still be write-enabled"},
    };
    for (const auto& [command, why] : cases) {
        const auto run = RunOnALineBreakingAfter(5, command);
        EXPECT_EQ(run.Status, 1) << run.Err;
        EXPECT_THAT(run.Err, AllOf(ContainsRegex(why), Not(HasSubstr("disabled again"))));
    }
}

TEST_F(CliCommandsTest, GarbledRepliesAreALineFaultNotAnAbsentPanel) {
    SimLine line;
    line.AddPanel(1, "WQ16", "5.00");
    line.Options().garbleChecksum = true;
    SimulatedLink link(line);
    const std::vector<std::string> commands[] = {{"identify"},
                                                 {"scan", "--first", "1", "--last", "1"},
                                                 {"read", "-o", Path("x.kvx")},
                                                 {"send", "LR73"}};
    for (std::vector<std::string> args : commands) {
        args.insert(args.begin(), {"--timeout", "30"});
        const auto run = RunCliInProcess(args, &link);
        EXPECT_EQ(run.Status, 1) << args[2];
        EXPECT_THAT(run.Err, HasSubstr("but its replies are garbled (check the line")) << args[2];
    }
}

// --trace and the traffic pane read one log: 8-bit bytes are spelled out
// the same way in both.
TEST_F(CliCommandsTest, TraceSpellsOutBytesAsTheTrafficPaneDoes) {
    test::FakeLink link;
    link.responder = [](test::FakeLink& self, const std::string&) {
        self.Deliver(test::PanelReply(std::string("\x7F\x80\xFF", 3)));
    };
    const auto run = RunCliInProcess({"--trace", "--attempts", "1", "send", "LR73"}, &link);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_THAT(run.Err, HasSubstr("> >01LR7369\\r\n"));
    EXPECT_THAT(run.Err, ContainsRegex("< A\\\\x7F\\\\x80\\\\xFF..\\\\r\n"));
}

// The identity is taken as the panel reports it, whatever its model text
// holds: a model with " Version " in it is no version.
TEST_F(CliCommandsTest, IdentifyTakesTheModelAsReported) {
    test::FakeLink link;
    link.responder = [](test::FakeLink& self, const std::string& frame) {
        const std::string command = frame.substr(3, frame.size() - 6);
        if (command == "LR73") self.Deliver(test::PanelReply("0004"));
        if (command == "KV") self.Deliver(test::PanelReply("A Version0400"));
    };
    const auto run = RunCliInProcess({"-a", "4", "identify", "--json"}, &link);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "{\"address\":4,\"status\":\"A Version Version 4.00\",\"model\":\"A Version\","
              "\"version\":\"4.00\",\"answered\":true}\n");
}

// A device that answers every frame with a bare "A", an "N" or NUL bytes is
// no panel: nothing is listed, read, backed up, reset or reported clean.
TEST_F(CliCommandsTest, RepliesWithoutDataAreNoPanel) {
    const std::pair<std::string, std::string> lines[] = {
        {"A\r", "but its replies are garbled"},
        {"N\r", "but with \"N\", which is not a valid reply"},
        {std::string("\0\0\0\r", 4), "but with \"\\x00\\x00\\x00\""},
    };
    const std::string file = Path("x.kvx");
    const std::string backups = Path("backups");
    const std::vector<std::string> commands[] = {
        {"identify"},         {"scan", "--first", "1", "--last", "2"},
        {"read", "-o", file}, {"backup-all", backups, "--first", "1", "--last", "1"},
        {"bad-relays"},       {"reset"}};
    for (const auto& [line, why] : lines) {
        test::FakeLink link;
        link.responder = [line = line](test::FakeLink& l, const std::string&) { l.Deliver(line); };
        for (std::vector<std::string> args : commands) {
            args.insert(args.begin(), {"--timeout", "20", "--attempts", "1"});
            const auto run = RunCliInProcess(args, &link);
            EXPECT_EQ(run.Status, 1) << args[4] << run.Err;
            EXPECT_THAT(run.Out, Not(HasSubstr("Version"))) << args[4];
            EXPECT_THAT(run.Err, HasSubstr(why)) << args[4];
        }
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(file)));
    EXPECT_TRUE(QDir(QString::fromStdString(backups)).entryList(QDir::Files).isEmpty());
}

// A file for another product is written only with --force-product; a
// panel taken by rule (it did not report its identity) is said to be so.
TEST_F(CliCommandsTest, AFileForAnotherProductIsWrittenOnlyWhenForced) {
    const std::string wq16 = Path("wq16.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "read", "-o", wq16}).Status, 0);
    auto with = [&wq16](std::vector<std::string> extra) {
        std::vector<std::string> args{"--demo", "--timeout", "30",          "-a",          extra[0],
                                      "write",  wq16,        "--no-backup", "--save-wait", "0"};
        args.insert(args.end(), extra.begin() + 1, extra.end());
        return args;
    };
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {with({"2"}), 1,
         "is for a WQ16 Version 5.00, but the device at address 2 is a KV-4800 Version 4.00. "
         "Nothing was written; --force-product writes it anyway."},
        {with({"17"}), 1, "did not report its identity; it is taken as a KV-4500 Version 1.07"},
        {with({"17"}), 1, "(taken by rule: it did not report its identity)"},
        {with({"2", "--force-product"}), 0, "note: "},
    };
    for (const auto& c : cases) {
        const auto run = RunCliInProcess(c.args);
        EXPECT_EQ(run.Status, c.status) << run.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.err));
    }
}

// With --skip-failed a register that does not answer keeps its default: such
// a read neither verifies a file nor makes a backup.
TEST_F(CliCommandsTest, SkippedRegistersNeverStandForThePanelsValues) {
    const Configuration defaults = test::ConfigFor("WQ16", "5.00");
    const std::string file = Path("defaults.kvx");
    ASSERT_TRUE(WriteConfigFile(file, defaults, {}).Ok());
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--skip-failed", "verify", file}, "nothing was compared"},
        {{"--skip-failed", "write", file, "--backup", Path("backups")}, "The backup read skipped"},
    };
    for (const auto& c : cases) {
        const auto run = RunOnALineBreakingAfter(2, c.args);  // LR73 and KV answered
        EXPECT_EQ(run.Status, 1) << run.Out;
        EXPECT_THAT(run.Err, HasSubstr(c.err));
    }
    EXPECT_FALSE(QDir(QString::fromStdString(Path("backups"))).exists());
}

TEST_F(CliCommandsTest, WriteReadVerifyRoundTripsOnEveryCatalogueProduct) {
    unsigned seed = 1;
    for (const std::string& entry : ProductCatalogue()) {
        ProductIdentity id = IdentityFromText(entry);
        if (const auto any = id.Model.find("??"); any != std::string::npos)
            id.Model.replace(any, 2, "45");
        id.Version = FormatVersion(VersionValue(id.Version));
        SCOPED_TRACE(entry + " as " + id.Model + " " + id.Version);

        SimLine line;
        line.AddPanel(1, id.Model, id.Version);
        SimulatedLink link(line);
        const std::string written = Path("written.kvx");
        const std::string readBack = Path("read.kvx");
        ASSERT_TRUE(WriteConfigFile(written, test::RandomPanelConfig(seed++, id.Model, id.Version),
                                    {"", "", ""})
                        .Ok());

        auto run = RunCliInProcess({"write", written, "--save-wait", "0"}, &link);
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(line.PanelAt(1)->SaveCount(), 1);
        run = RunCliInProcess({"read", "-o", readBack, "--desc", "round trip"}, &link);
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const std::string& file : {written, readBack}) {
            run = RunCliInProcess({"verify", file}, &link);
            EXPECT_EQ(run.Status, 0) << file << '\n' << run.Out << run.Err;
            EXPECT_EQ(run.Out, "");
        }
        // Another configuration over it, only the changes sent: the panel
        // then holds exactly that one.
        const std::string next = Path("next.kvx");
        ASSERT_TRUE(WriteConfigFile(next, test::RandomPanelConfig(seed++, id.Model, id.Version),
                                    {"", "", ""})
                        .Ok());
        run = RunCliInProcess({"write", next, "--changes-only", "--no-backup", "--save-wait", "0"},
                              &link);
        ASSERT_EQ(run.Status, 0) << run.Err;
        run = RunCliInProcess({"verify", next}, &link);
        EXPECT_EQ(run.Status, 0) << run.Out << run.Err;
    }
}

// What a dry run prints and how it exits, and a changes-only write with
// nothing to change, against the panel as it stands.
TEST_F(CliCommandsTest, DryRunAndChangesOnlyFollowWhatThePanelHolds) {
    SimLine line;
    line.AddPanel(1, "WQ16", "5.00");
    SimulatedLink link(line);
    Configuration config = test::OnlineConfigFor("WQ16", "5.00");
    const std::string held = Path("held.kvx");
    const std::string changed = Path("changed.kvx");
    ASSERT_TRUE(WriteConfigFile(held, config, {"", "", ""}).Ok());
    config.Inputs[2].Timer = 3;
    ASSERT_TRUE(WriteConfigFile(changed, config, {"", "", ""}).Ok());
    ASSERT_EQ(RunCliInProcess({"write", held, "--no-backup", "--save-wait", "0"}, &link).Status, 0);
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        int saves;  // the panel's saves afterwards
    } cases[] = {
        {{"write", held, "--dry-run"}, 0, "Nothing differs\n", 1},
        {{"write", changed, "--dry-run"}, 1, "Input Information\tInput 2 timer\t0\t3\n", 1},
        {{"write", held, "--changes-only", "--no-backup"},
         0,
         "Nothing to change: the device holds every value; nothing was sent.\n",
         1},
        {{"write", changed, "--changes-only", "--no-backup", "--save-wait", "0"}, 0, "", 2},
    };
    for (const auto& c : cases) {
        const auto run = RunCliInProcess(c.args, &link);
        EXPECT_EQ(run.Status, c.status) << c.args[1] << ' ' << c.args[2] << '\n' << run.Err;
        EXPECT_EQ(run.Out, c.out) << c.args[2];
        EXPECT_EQ(line.PanelAt(1)->SaveCount(), c.saves) << c.args[2];
    }
}

TEST_F(CliCommandsTest, ReadThenVerifyOfEveryDemoPanelFindsNoDifference) {
    for (const std::string address : {"1", "2", "3", "5", "7", "17"}) {
        const std::string file = Path("demo" + address + ".kvx");
        ASSERT_EQ(RunCliInProcess({"--demo", "-a", address, "read", "-o", file}).Status, 0);
        const auto run = RunCliInProcess({"--demo", "-a", address, "verify", file});
        EXPECT_EQ(run.Status, 0) << "address " << address << '\n' << run.Out << run.Err;
    }
}

// The command line is UTF-8; the file keeps the 8-bit text the GUI shows.
TEST_F(CliCommandsTest, ADescriptionEntersTheFileAsEightBitText) {
    const std::string file = Path("desc.kvx");
    const auto run = RunCliInProcess(
        {"--demo", "-a", "2", "read", "-o", file, "--desc", "Caf\xC3\xA9 \xE2\x82\xAC"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_THAT(test::FileBytes(file), HasSubstr("\r\nDesc=Caf\xE9 \x80\r\n"));
}

TEST_F(CliCommandsTest, FileErrorsSayWhyLeaveTheFileAsItWasAndExit4) {
    const std::string good = Path("good.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "-a", "2", "read", "-o", good}).Status, 0);
    const std::string pipe = Path("pipe.kvx");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::pair<std::string, std::string> unreadable[] = {
        {pipe, "but a named pipe"}, {"/sys/bus/pci/rescan", "Permission denied"}};  // root too
    for (const auto& [file, why] : unreadable) {
        const auto run = RunCliInProcess({"report", file, "-o", Path("out.txt")});
        EXPECT_EQ(run.Status, 4);
        EXPECT_THAT(run.Err, HasSubstr(why));
    }
    // A disk that fills up (a file size limit here) keeps the report saved before.
    for (const char* name : {"old.txt", "old.pdf"}) {
        const std::string report = Path(name);
        std::ofstream(report) << "old";
        QProcess process;
        process.setChildProcessModifier([] {
            const rlimit small{2000, 2000};
            setrlimit(RLIMIT_FSIZE, &small);
            signal(SIGXFSZ, SIG_IGN);
        });
        process.start(QStringLiteral(KVTK_CLI_PATH),
                      {QStringLiteral("report"), QString::fromStdString(good), QStringLiteral("-o"),
                       QString::fromStdString(report)});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 4) << name;
        EXPECT_THAT(process.readAllStandardError().toStdString(), HasSubstr("File too large"));
        EXPECT_EQ(test::FileBytes(report), "old") << name;
    }
}

// --quick reaches the scan: a silent address costs one frame instead of
// the two tries of the plain scan, and the panels listed are the same.
TEST_F(CliCommandsTest, QuickScanTriesSilentAddressesOnce) {
    for (const bool quick : {false, true}) {
        SimLine line;
        line.AddPanel(1, "KV-4800", "3.00");
        int silentFrames = 0;
        test::WatchedLink counting(line, [&](const std::string& frame) {
            silentFrames += frame.starts_with(">00") ? 1 : 0;
            return true;
        });
        std::vector<std::string> args{"--timeout", "20", "scan", "--last", "1"};
        if (quick) args.push_back("--quick");
        const auto run = RunCliInProcess(args, &counting);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "1\tKV-4800 Version 3.00\n");
        EXPECT_EQ(silentFrames, quick ? 1 : 2);
    }
    EXPECT_EQ(RunCliInProcess({"--demo", "backup-all", Path("b"), "--quick"}).Status, 2);
}

// A file name is given as the system spells it (UTF-8), not as panel text.
TEST_F(CliCommandsTest, JsonOutputIsValidJson) {
    const std::string file = Path("B\xC3\xBCro-p1.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "read", "-o", file}).Status, 0);
    const struct {
        std::vector<std::string> args;
        std::string expected;  // part of the object, keys sorted, compact
    } cases[] = {
        {{"identify"}, "\"model\":\"WQ16\""},
        {{"scan", "--last", "3", "--timeout", "30", "--attempts", "1"},
         "{\"address\":3,\"model\":\"KV-4800\""},
        {{"verify", file}, "\"matches\":true"},
        {{"verify", file}, "/B\xC3\xBCro-p1.kvx\""},
        {{"-a", "7", "bad-relays"}, "\"bad_relays\":[3]"},
        {{"groups"}, "{\"group\":3,\"on\":true}"},
        {{"inputs"}, "\"active\":[1,3,11]"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--demo"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("--json");
        const auto run = RunCliInProcess(args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        QJsonParseError error;
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.Out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.Out;
        EXPECT_THAT(json.toJson(QJsonDocument::Compact).toStdString(), HasSubstr(c.expected));
    }
}

// Every panel of the demonstration line in a file of its own; a second run
// in the same minute adds new files beside the first ones.
TEST_F(CliCommandsTest, BackupAllKeepsOneNewFilePerPanel) {
    const auto sameMinute = [] { return std::time_t{1796565600}; };
    for (int run = 1; run <= 2; ++run) {
        const auto result =
            RunCliInProcess({"--demo", "--timeout", "30", "--attempts", "1", "backup-all",
                             dir.path().toStdString(), "--last", "20"},
                            nullptr, sameMinute);
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 6) << result.Out;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6 * run);
    }
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*_2.kvx")}, QDir::Files).size(), 6);
}

// One failure among successes is a failure: one panel of two not backed up,
// a clear of the bad-relay flags the panel answered with "AN".
TEST_F(CliCommandsTest, OneFailureIsEnoughToFail) {
    SimLine line;
    for (int address = 1; address <= 2; ++address)
        line.AddPanel(address, "KV-4800", "3.00").SetRegister("65", "01");
    test::WatchedLink losing(line, [](const std::string& frame) {
        return !frame.starts_with(">02LR64");  // panel 2's relay count never arrives
    });
    const auto backups = RunCliInProcess(
        {"--timeout", "20", "--attempts", "1", "backup-all", Path("backups"), "--last", "2"},
        &losing);
    EXPECT_EQ(backups.Status, 1) << backups.Err;
    EXPECT_THAT(backups.Err, HasSubstr("1 of 2 panels were not saved."));

    test::FakeLink refusing;
    const std::map<std::string, std::string> replies{{"LR73", "0007"},
                                                     {"KV", "TMC-1400 0400"},
                                                     {"LR78", "0400000000000000"},
                                                     {"LSWEN", "Y"},
                                                     {"LW78", "N"}};
    refusing.responder = [&replies](test::FakeLink& link, const std::string& frame) {
        const auto reply = replies.find(frame.substr(3, frame.size() - 6));
        if (reply != replies.end()) link.Deliver(test::PanelReply(reply->second));
    };
    const auto cleared = RunCliInProcess({"-a", "7", "bad-relays", "--clear"}, &refusing);
    EXPECT_EQ(cleared.Status, 1) << cleared.Err;
    EXPECT_EQ(cleared.Out, "Bad relays are: 3\n");
    EXPECT_THAT(cleared.Err, HasSubstr("the device did not confirm the clear."));
}

// "-o -": the same text as the .txt file, on standard output.
TEST_F(CliCommandsTest, ATextReportGoesToStandardOutput) {
    const std::string file = Path("t.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "-a", "2", "read", "-o", file}).Status, 0);
    ASSERT_EQ(RunCliInProcess({"report", file, "-o", Path("t.txt")}).Status, 0);
    const auto run = RunCliInProcess({"report", file, "-o", "-"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, test::FileBytes(Path("t.txt")));
}

// The program as from cron: Qt's start-up notes are not the program's to
// show. The paper is the system's (here PAPERSIZE, with no print server to
// name a default printer) unless --paper names one.
TEST_F(CliCommandsTest, TheProgramRunsTheDemoAndWritesPdfReportsOnTheChosenPaper) {
    const std::string file = Path("r.kvx");
    ASSERT_EQ(RunCliInProcess({"--demo", "-a", "2", "read", "-o", file}).Status, 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("CUPS_SERVER"), QString::fromStdString(Path("no-cups-here")));
    env.insert(QStringLiteral("PAPERSIZE"), QStringLiteral("a4"));
    // --paper (none: the system's, A4 here), and the PDF's page in points.
    const std::pair<const char*, const char*> cases[] = {{"", "595.000000 842.000000"},
                                                         {"letter", "612.000000 792.000000"},
                                                         {"legal", "612.000000 1008.000000"}};
    for (const auto& [paper, size] : cases) {
        const std::string pdf = Path("r.pdf");
        QStringList args{QStringLiteral("report"), QString::fromStdString(file),
                         QStringLiteral("-o"), QString::fromStdString(pdf)};
        if (*paper) args << QStringLiteral("--paper") << QString::fromLatin1(paper);
        QProcess report;
        report.setProcessEnvironment(env);
        report.start(QStringLiteral(KVTK_CLI_PATH), args);
        ASSERT_TRUE(report.waitForFinished(60000));
        EXPECT_EQ(report.exitCode(), 0);
        EXPECT_EQ(report.readAllStandardError().toStdString(), "");
        const std::string bytes = test::FileBytes(pdf);
        EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
        EXPECT_THAT(bytes, HasSubstr(std::string("/MediaBox [0 0 ") + size + "]")) << paper;
    }
}

}  // namespace
}  // namespace kvtk
