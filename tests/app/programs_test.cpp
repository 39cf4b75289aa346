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

TEST(Programs, HelpAndVersionNeedNoDisplayAndFailWhenTheOutputIsLost) {
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(QString::fromLatin1(name));
    const struct {
        const char* program;
        QStringList args;
        std::string out;
    } cases[] = {
        {KVTK_GUI_PATH, {QStringLiteral("--help")}, "--com <N=PATH>"},
        {KVTK_GUI_PATH, {QStringLiteral("--version")}, "kvtk 5.1\n"},
        {KVTK_CLI_PATH, {QStringLiteral("--help")}, "Exit status"},
        {KVTK_SIM_PATH, {QStringLiteral("--help")}, "--password-file"},
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

}  // namespace
}  // namespace kvtk
