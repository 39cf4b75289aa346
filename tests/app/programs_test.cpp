// The three programs as a user starts them: what reaches the terminal and
// the exit status, where it depends on main() itself.

#include <gmock/gmock.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace kvtk {
namespace {

using ::testing::HasSubstr;

struct ProgramRun {
    int Status = -1;
    std::string Out, Err;
};

ProgramRun RunProgram(const char* program, const QStringList& args, const QProcessEnvironment& env,
                      const QString& outputFile = {}) {
    QProcess process;
    process.setProcessEnvironment(env);
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(QString::fromLocal8Bit(program), args);
    const bool ended = process.waitForFinished(20000);
    if (!ended || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// As over SSH: no display of any kind.
QProcessEnvironment HeadlessEnvironment() {
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(QString::fromLatin1(name));
    return headless;
}

TEST(Programs, HelpAndVersionNeedNoDisplayAndFailWhenTheOutputIsLost) {
    const QProcessEnvironment headless = HeadlessEnvironment();
    const struct {
        const char* program;
        QStringList args;
        std::string out;
    } cases[] = {
        {KVTK_GUI_PATH, {QStringLiteral("--help")}, "--com <N=PATH>"},
        {KVTK_GUI_PATH,
         {QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("--help")},
         "--com <N=PATH>"},
        {KVTK_GUI_PATH, {QStringLiteral("--version")}, "kvtk 5.1\n"},
        {KVTK_GUI_PATH, {QStringLiteral("-v"), QStringLiteral("--version")}, "GPL-3.0-or-later"},
        {KVTK_CLI_PATH, {QStringLiteral("--help")}, "Exit status"},
        {KVTK_CLI_PATH, {QStringLiteral("--version")}, "kvtk-cli 5.1\nCopyright"},
        {KVTK_SIM_PATH, {QStringLiteral("--help")}, "--password-file"},
        {KVTK_SIM_PATH, {QStringLiteral("--version")}, "kvtk-sim 5.1\nCopyright"},
    };
    for (const auto& c : cases) {
        const std::string name = c.program + (" " + c.args.join(QLatin1Char(' ')).toStdString());
        ProgramRun run = RunProgram(c.program, c.args, headless);
        EXPECT_EQ(run.Status, 0) << name << run.Err;
        EXPECT_THAT(run.Out, HasSubstr(c.out)) << name;
        run = RunProgram(c.program, c.args, headless, QStringLiteral("/dev/full"));
        EXPECT_GT(run.Status, 0) << name;
        EXPECT_THAT(run.Err, HasSubstr("could not be written")) << name;
    }
}

TEST(Programs, AWrongOptionIsAUsageErrorWithoutADisplay) {
    const QProcessEnvironment headless = HeadlessEnvironment();
    const struct {
        const char* program;
        QStringList args;
        std::string err;
    } cases[] = {
        {KVTK_GUI_PATH, {QStringLiteral("--bogus")}, "Try 'kvtk --help'"},
        {KVTK_GUI_PATH,
         {QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--bogus")},
         "Try 'kvtk --help'"},
    };
    for (const auto& c : cases) {
        const std::string name = c.program + (" " + c.args.join(QLatin1Char(' ')).toStdString());
        const ProgramRun run = RunProgram(c.program, c.args, headless);
        EXPECT_EQ(run.Status, 2) << name << run.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.err)) << name;
    }
}

}  // namespace
}  // namespace kvtk
