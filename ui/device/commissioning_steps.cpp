#include "ui/device/commissioning_steps.h"

#include <QFile>
#include <QFileInfo>
#include <ctime>

#include "files/backup_store.h"
#include "files/file_header.h"
#include "transfer/commissioning/file_comparison.h"
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

bool CommissioningSteps::BackUpBeforeChange(PanelExchange& exchange,
                                            const std::string& description) {
    lastBackup_ = BackupPanel(
        window_.Config(), exchange, host_,
        {QFile::encodeName(backupFolder_).toStdString(), description, std::time(nullptr), true});
    if (lastBackup_.Saved) {
        host_.ShowResponseDescription("Backup saved: " + lastBackup_.Path);
        return true;
    }
    return window_.Ask(QString::fromLatin1(kBackupFailedTitle),
                       ToQString(BackupFailedQuestion(lastBackup_)));
}

WriteCheck CommissioningSteps::CheckAfterWrite(PanelExchange& exchange, const WriteOptions& options,
                                               const WriteOutcome& outcome) {
    const WriteCheck check = CheckWrite(window_.Config(), options, outcome, exchange, host_);
    if (check.Verified()) {
        host_.ShowMessage(kVerifiedText);
    } else if (!check.ReadComplete) {
        host_.ShowMessage("The read-back was not complete; the write is not verified.");
    } else {
        ShowList(QStringLiteral("Verify After Write"),
                 QStringLiteral("The device does not hold what was written: ") +
                     Count(check.Differences.size()) + QLatin1Char('.'),
                 check.Differences);
    }
    return check;
}

void CommissioningSteps::CompareWithFile(PanelExchange& exchange) {
    FileCommands& files = window_.Files();
    const std::optional<QString> chosen = files.Prompts().AskConfigFileName(
        {false, QStringLiteral("Compare with file"), QStringLiteral("Compare"), files.LastFolder()},
        files.Info());
    if (!chosen) return;
    const std::string path = QFile::encodeName(*chosen).toStdString();
    if (!ReadHeader(path).Usable()) {
        host_.ShowMessage("The file has no valid configuration header.");
        return;
    }
    const PanelFileComparison comparison =
        CompareFileWithPanel(path, window_.Config(), exchange, host_);
    const QString name = QFileInfo(*chosen).fileName();
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

void CommissioningSteps::ShowList(const QString& title, const QString& summary,
                                  const std::vector<ConfigDifference>& list) {
    if (compare_) compare_->close();
    auto* window = new frmCompare(title, &window_.Widget());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->ShowDifferences(summary, list);
    compare_ = window;
    window->open();
}

}  // namespace kvtk
