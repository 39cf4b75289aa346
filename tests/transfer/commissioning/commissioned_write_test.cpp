#include "transfer/commissioning/commissioned_write.h"

#include <gtest/gtest.h>

#include "tests/files/test_folder.h"
#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using R = CommissionedWriteResult;

bool Sent(const test::ScriptedPanel& panel, const std::string& command) {
    return panel.Find(command) != nullptr;
}

// How far a write with its backup and check comes, and what the panel gets.
TEST(CommissionedWrite, ResultFollowsTheBackupTheWriteAndTheCheck) {
    test::TestFolder folder;
    const struct {
        const char* name;
        bool backup;
        std::string backupFolder;  // empty: the backup cannot be kept
        bool acceptFailedBackup;
        const char* writeEnable;  // the reply to "LSWEN"
        bool verify;
        bool stop;
        const char* readBack;  // the reply to every register read
        R result;
        bool written;
    } cases[] = {
        {"backup failed", true, "", false, "AY", false, false, "A00", R::NotBackedUp, false},
        {"failed, accepted", true, "", true, "AY", false, false, "A00", R::Saved, true},
        {"backup kept", true, folder.Path().string(), false, "AY", false, false, "A00", R::Saved,
         true},
        {"write cancelled", false, "", false, "", true, false, "A00", R::WriteStopped, false},
        {"stopped", false, "", false, "AY", true, true, "A00", R::CheckSkipped, true},
        {"read-back aborted", false, "", false, "AY", true, false, "", R::ReadBackIncomplete, true},
        {"read-back differs", false, "", false, "AY", true, false, "A01", R::Differs, true},
    };
    for (const auto& c : cases) {
        const Configuration config = test::OnlineConfigFor("WQ16", "5.00");
        test::ScriptedPanel panel;
        panel.Answer("LSWEN", c.writeEnable).AnswerPrefix("LR", c.readBack);
        test::RecordingHost host;
        CommissionedWriteRequest request;
        request.Options.GroupCount = 2;
        request.Backup = c.backup;
        request.BackupTo = {c.backupFolder, "Backup before write", 1796565600};
        request.Verify = c.verify;
        if (c.acceptFailedBackup) request.AcceptBackup = [](const BackupOutcome&) { return true; };
        int writtenCalls = 0;
        request.Written = [&writtenCalls](const WriteOutcome&) { ++writtenCalls; };
        request.StopRequested = [&c] { return c.stop; };

        const CommissionedWriteOutcome outcome = CommissionedWrite(config, request, panel, host);

        EXPECT_EQ(outcome.Result, c.result) << c.name;
        EXPECT_EQ(Sent(panel, "LSWEN"), c.result != R::NotBackedUp) << c.name;
        EXPECT_EQ(Sent(panel, "LSYS_SAVE"), c.written) << c.name;
        EXPECT_EQ(writtenCalls, c.written ? 1 : 0) << c.name;
        EXPECT_EQ(outcome.Backup.Saved, !c.backupFolder.empty()) << c.name;
    }
}

}  // namespace
}  // namespace kvtk
