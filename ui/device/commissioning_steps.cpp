#include "ui/device/commissioning_steps.h"

#include <QFile>
#include <QFileInfo>
#include <ctime>

#include "files/backup_store.h"
#include "files/file_header.h"
#include "transfer/commissioning/file_comparison.h"
#include "transfer/commissioning/panel_before_write.h"
#include "ui/device/gui_operation_host.h"
#include "ui/files/file_commands.h"
#include "ui/files/file_prompts.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

QString Count(size_t n) {
    return QString::number(n) +
           (n == 1 ? QStringLiteral(" difference") : QStringLiteral(" differences"));
}

}  // namespace

CommissioningSteps::CommissioningSteps(MainWindowAccess& window, GuiOperationHost& host)
    : window_(window),
      host_(host),
      backupFolder_(QFile::decodeName(DefaultBackupFolder().c_str())) {}

BackupRequest CommissioningSteps::BackupTo(const std::string& description) const {
    return {QFile::encodeName(backupFolder_).toStdString(), description, std::time(nullptr), true};
}

bool CommissioningSteps::BackUpBeforeChange(PanelExchange& exchange,
                                            const std::string& description) {
    return AcceptBackup(BackupPanel(window_.Config(), exchange, host_, BackupTo(description)));
}

bool CommissioningSteps::AcceptBackup(const BackupOutcome& backup) {
    lastBackup_ = backup;
    if (lastBackup_.Saved) {
        host_.ShowResponseDescription("Backup saved: " + lastBackup_.Path);
        return true;
    }
    return window_.Ask(QString::fromLatin1(kBackupFailedTitle),
                       ToQString(BackupFailedQuestion(lastBackup_)));
}

bool CommissioningSteps::ConfirmChanges(const std::vector<ConfigDifference>& list,
                                        bool changesOnly) {
    if (list.empty() && changesOnly) return true;
    const QString address = ToQString(window_.Config().Panel.Address);
    frmCompare& shown = OpenList(QStringLiteral("Before Write"));
    shown.ShowChanges(list.empty() ? QString::fromLatin1(kNothingDiffersText)
                                   : QStringLiteral("%1 between the device at address %2 and "
                                                    "what will be written.")
                                         .arg(Count(list.size()), address),
                      list);
    const QString question = list.empty()
                                 ? QString::fromLatin1(kNothingDiffersText) +
                                       QStringLiteral(
                                           " between the device and what will be written.\n\n"
                                           "Write all the same?")
                                 : QStringLiteral(
                                       "%1 between the device and what will be written (listed "
                                       "in \"Before Write\").\n\nWrite now?")
                                       .arg(Count(list.size()));
    const bool goOn = window_.Ask(QStringLiteral("Write to the device?"), question);
    if (compare_) compare_->close();
    return goOn;
}

void CommissioningSteps::ShowCheck(const CommissionedWriteOutcome& outcome) {
    switch (outcome.Result) {
        case CommissionedWriteResult::NothingToChange:
            host_.ShowMessage(kNothingToChangeText);
            return;
        case CommissionedWriteResult::NotRead:
            host_.ShowMessage("The read before the write was stopped; nothing was written.");
            return;
        case CommissionedWriteResult::Verified:
            host_.ShowMessage(kVerifiedText);
            return;
        case CommissionedWriteResult::ReadBackIncomplete:
            host_.ShowMessage(kReadBackIncompleteText);
            return;
        case CommissionedWriteResult::Differs:
            ShowList(QStringLiteral("Verify After Write"),
                     QStringLiteral("The device does not hold what was written: ") +
                         Count(outcome.Check.Differences.size()) + QLatin1Char('.'),
                     outcome.Check.Differences);
            return;
        default:
            return;
    }
}

void CommissioningSteps::CompareWithFile(PanelExchange& exchange) {
    FileCommands& files = window_.Files();
    const std::optional<QString> chosen = files.Prompts().AskConfigFileName(
        {false, QStringLiteral("Compare with file"), QStringLiteral("Compare"), files.LastFolder()},
        files.Info());
    if (chosen) CompareWithFileAt(exchange, *chosen);
}

void CommissioningSteps::CompareWithFileAt(PanelExchange& exchange, const QString& fileName) {
    const std::string path = QFile::encodeName(fileName).toStdString();
    if (!ReadHeader(path).Usable()) {
        host_.ShowMessage("The file has no valid configuration header.");
        return;
    }
    const PanelFileComparison comparison =
        CompareFileWithPanel(path, window_.Config(), exchange, host_);
    const QString name = QFileInfo(fileName).fileName();
    switch (comparison.Outcome) {
        case PanelFileComparison::FileFailed:
            host_.ShowMessage(comparison.File.Message.empty() ? "The file could not be read."
                                                              : comparison.File.Message);
            return;
        case PanelFileComparison::ReadStopped:
            host_.ShowMessage("The read was stopped or skipped registers; nothing was compared.");
            return;
        case PanelFileComparison::Compared:
            break;
    }
    const QString address = ToQString(window_.Config().Panel.Address);
    ShowList(QStringLiteral("Compare With File"),
             comparison.Differences.empty()
                 ? QStringLiteral("The device at address %1 matches %2.").arg(address, name)
                 : QStringLiteral("%1 between %2 and the device at address %3.")
                       .arg(Count(comparison.Differences.size()), name, address),
             comparison.Differences);
}

frmCompare& CommissioningSteps::OpenList(const QString& title) {
    if (compare_) compare_->close();
    auto* window = new frmCompare(title, &window_.Widget());
    window->setAttribute(Qt::WA_DeleteOnClose);
    compare_ = window;
    window->open();
    return *window;
}

void CommissioningSteps::ShowList(const QString& title, const QString& summary,
                                  const std::vector<ConfigDifference>& list) {
    OpenList(title).ShowDifferences(summary, list);
}

}  // namespace kvtk
