#include "ui/site/frmSite.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <ctime>
#include <set>

#include "files/backup_store.h"
#include "report/pdf/site_report_pdf.h"
#include "transfer/site/site_backup.h"
#include "transfer/site/site_folder.h"
#include "transfer/site/site_report_files.h"
#include "transfer/site/site_survey.h"
#include "transfer/site/site_write.h"
#include "ui/site/site_table.h"

namespace kvtk {
namespace {

QPushButton* Button(const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromNative(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

}  // namespace

frmSite::frmSite(PanelExchange& exchange, QWidget* parent) : QDialog(parent), exchange_(exchange) {
    setObjectName(QStringLiteral("frmSite"));
    setWindowTitle(QStringLiteral("Site"));
    ask_ = [this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text) == QMessageBox::Yes;
    };
    BuildWidgets();
    host_ = std::make_unique<SiteHost>(*this, *lblStatus_);
    Refresh();
}

frmSite::~frmSite() = default;

void frmSite::reject() {
    if (running_) {
        stopRequested_ = true;
        return;
    }
    QDialog::reject();
}

void frmSite::BuildWidgets() {
    txtFolder_ = new QLineEdit;
    txtFolder_->setObjectName(QStringLiteral("txtFolder"));
    txtFolder_->setReadOnly(true);
    txtFolder_->setPlaceholderText(QStringLiteral("A folder of .kvx files, one per panel"));
    auto* cmdFolder = Button("&Folder...", "cmdFolder");
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Site folder:")));
    folderRow->addWidget(txtFolder_, 1);
    folderRow->addWidget(cmdFolder);

    table_ = MakeSiteTable();
    lblUnreadable_ = new QLabel;
    lblUnreadable_->setObjectName(QStringLiteral("lblUnreadable"));
    lblUnreadable_->setWordWrap(true);
    lblStatus_ = new QLabel;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("prgSite"));
    progress_->hide();

    cmdScan_ = Button("&Scan", "cmdScan");
    cmdCompare_ = Button("&Compare All", "cmdCompareAll");
    cmdBackup_ = Button("&Back Up All", "cmdBackUpAll");
    cmdWrite_ = Button("&Write Selected...", "cmdWriteSelected");
    cmdReport_ = Button("Save &Report...", "cmdSaveReport");
    cmdStop_ = Button("S&top", "cmdStop");
    cmdStop_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdScan_, cmdCompare_, cmdBackup_, cmdWrite_, cmdReport_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdStop_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(table_, 1);
    layout->addWidget(lblUnreadable_);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(lblStatus_);
    resize(760, 420);

    connect(cmdFolder, &QPushButton::clicked, this, &frmSite::ChooseFolder);
    connect(cmdScan_, &QPushButton::clicked, this, &frmSite::Scan);
    connect(cmdCompare_, &QPushButton::clicked, this, &frmSite::CompareAll);
    connect(cmdBackup_, &QPushButton::clicked, this, &frmSite::BackUpAll);
    connect(cmdWrite_, &QPushButton::clicked, this, &frmSite::WriteSelected);
    connect(cmdReport_, &QPushButton::clicked, this, &frmSite::ChooseReportFile);
    connect(cmdStop_, &QPushButton::clicked, this, [this] {
        stopRequested_ = true;
        lblStatus_->setText(QStringLiteral("Stopping after this panel..."));
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) { OpenRow(row); });
}

void frmSite::ChooseFolder() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Site folder"), folder_);
    if (!chosen.isEmpty()) OpenFolder(chosen);
}

void frmSite::OpenFolder(const QString& folder) {
    if (running_) return;
    folder_ = folder;
    txtFolder_->setText(folder);
    files_ = ReadSiteFolder(Native(folder));
    rows_.clear();
    scanned_ = false;
    for (const SiteFile& file : files_.Files)
        rows_.push_back({file.Address, SiteState::Unread, {}, {}, file.Name, 0});
    QStringList unreadable;
    for (const SiteFileProblem& problem : files_.Unreadable)
        unreadable << FromNative(problem.Name) + QStringLiteral(": ") + FromNative(problem.Why);
    lblUnreadable_->setText(unreadable.isEmpty() ? QString()
                                                 : QStringLiteral("Files left out:\n") +
                                                       unreadable.join(QLatin1Char('\n')));
    lblStatus_->setText(files_.Usable()
                            ? QStringLiteral("%1 files. Scan finds the panels.").arg(rows_.size())
                            : FromNative(files_.Refusal));
    Refresh();
    emit folderChanged(folder);
}

void frmSite::Refresh() {
    const std::string backups =
        backupFolder_.isEmpty() ? DefaultBackupFolder() : Native(backupFolder_);
    std::vector<QString> lastBackups;
    for (const SitePanel& row : rows_)
        lastBackups.push_back(FromNative(LastBackupOf(backups, row.Address)));
    FillSiteTable(*table_, rows_, lastBackups);
    const bool usable = files_.Usable() && !folder_.isEmpty();
    for (QPushButton* button : {cmdScan_, cmdCompare_, cmdBackup_, cmdWrite_, cmdReport_})
        button->setEnabled(usable && !running_);
    cmdStop_->setEnabled(running_);
}

void frmSite::Run(const QString& what, const std::function<void()>& work) {
    if (running_ || !files_.Usable()) return;
    running_ = true;
    stopRequested_ = false;
    emit runningChanged(true);
    Refresh();
    progress_->setValue(0);
    progress_->show();
    clock_.start();
    lblStatus_->setText(what + QStringLiteral("..."));
    work();
    running_ = false;
    progress_->hide();
    Refresh();
    emit runningChanged(false);
}

void frmSite::Progress(int done, int count, const QString& text) {
    progress_->setMaximum(count);
    progress_->setValue(done);
    QString line = text;
    if (done > 0 && done < count) {
        const qint64 left = clock_.elapsed() * (count - done) / done / 1000;
        line += QStringLiteral(" - about %1 s left").arg(left);
    }
    lblStatus_->setText(line);
}

void frmSite::Scan() {
    Run(QStringLiteral("Scanning"), [this] {
        SiteSurveyCallbacks callbacks;
        callbacks.StopRequested = [this] { return StopRequested(); };
        callbacks.ScanningAddress = [this](int address) {
            Progress(address, kAddressCount, QStringLiteral("Scanning address %1").arg(address));
        };
        rows_ = ScanSite(files_, exchange_, quick_, callbacks);
        scanned_ = !StopRequested();
        lblStatus_->setText(scanned_ ? QStringLiteral("Scanned: %1 addresses.").arg(rows_.size())
                                     : QStringLiteral("The scan was stopped."));
    });
}

void frmSite::CompareAll() {
    if (!scanned_) Scan();
    if (!scanned_) return;
    Run(QStringLiteral("Comparing"), [this] {
        std::vector<size_t> comparable;
        for (size_t i = 0; i < rows_.size(); ++i)
            if (Comparable(rows_[i])) comparable.push_back(i);
        for (size_t n = 0; n < comparable.size() && !StopRequested(); ++n) {
            SitePanel& row = rows_[comparable[n]];
            Progress(static_cast<int>(n), static_cast<int>(comparable.size()),
                     QStringLiteral("Comparing address %1 with %2")
                         .arg(row.Address)
                         .arg(FromNative(row.File)));
            CompareSitePanel(row, *files_.At(row.Address), exchange_, *host_);
            Refresh();
        }
        lblStatus_->setText(StopRequested() ? QStringLiteral("Compare All was stopped.")
                                            : QStringLiteral("Compared."));
    });
}

void frmSite::BackUpAll() {
    if (!scanned_) Scan();
    if (!scanned_) return;
    Run(QStringLiteral("Backing up"), [this] {
        const std::string folder =
            backupFolder_.isEmpty() ? DefaultBackupFolder() : Native(backupFolder_);
        int count = 0;
        for (const SitePanel& row : rows_) count += row.Model.empty() ? 0 : 1;
        int started = 0;
        SiteBackupRequest request{folder, std::time(nullptr), [this] { return StopRequested(); },
                                  [&](const SitePanel& row) {
                                      Progress(
                                          started++, count,
                                          QStringLiteral("Backing up address %1").arg(row.Address));
                                  }};
        int saved = 0;
        QStringList failed;
        for (const SitePanelBackup& backup : BackUpSite(rows_, request, exchange_, *host_)) {
            if (backup.Backup.Saved) ++saved;
            if (backup.Started && !backup.Backup.Saved)
                failed << QStringLiteral("address %1").arg(backup.Address);
        }
        lblStatus_->setText(QStringLiteral("%1 backups kept%2%3.")
                                .arg(saved)
                                .arg(failed.isEmpty() ? QString()
                                                      : QStringLiteral("; none of ") +
                                                            failed.join(QStringLiteral(", ")))
                                .arg(StopRequested() ? QStringLiteral("; stopped") : QString()));
    });
}

std::string frmSite::FilePath(int address) const {
    const SiteFile* file = files_.At(address);
    return file ? file->Path : std::string();
}

void frmSite::WriteSelected() {
    if (running_) return;
    std::set<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        selected.insert(index.row());
    std::vector<SiteWriteTarget> targets;
    QStringList lines;
    for (const int r : selected) {
        const SitePanel& row = rows_[static_cast<size_t>(r)];
        if (!Comparable(row)) continue;
        targets.push_back({row, FilePath(row.Address)});
        const QString change = row.State == SiteState::Differs
                                   ? QStringLiteral("%1 values will change").arg(row.Differences)
                               : row.State == SiteState::Same
                                   ? QStringLiteral("no value will change")
                                   : QStringLiteral("not compared yet");
        lines << QStringLiteral("Address %1 from %2: %3")
                     .arg(row.Address)
                     .arg(FromNative(row.File), change);
    }
    if (targets.empty()) {
        lblStatus_->setText(
            QStringLiteral("Select the rows to write: each needs a panel and a file for its "
                           "product."));
        return;
    }
    const QString question =
        lines.join(QLatin1Char('\n')) +
        QStringLiteral("\n\nEach panel is backed up first. Write %1 panels?").arg(targets.size());
    if (!ask_(QStringLiteral("Write Selected"), question)) return;
    Run(QStringLiteral("Writing"), [&] {
        SiteWriteRequest request;
        request.Verify = verify_;
        request.BackupFolder =
            backupFolder_.isEmpty() ? DefaultBackupFolder() : Native(backupFolder_);
        request.When = std::time(nullptr);
        request.StopRequested = [this] { return StopRequested(); };
        int started = 0;
        const int count = static_cast<int>(targets.size());
        request.Starting = [&](const SiteWriteTarget& target) {
            Progress(started++, count,
                     QStringLiteral("Writing address %1").arg(target.Row.Address));
        };
        const SiteWriteOutcome outcome = WriteSite(targets, request, exchange_, *host_);
        QStringList summary;
        for (const SitePanelWrite& panel : outcome.Panels) {
            for (SitePanel& row : rows_)
                if (row.Address == panel.Address && panel.Step == SiteWriteStep::Done)
                    row.State = verify_ ? SiteState::Same : SiteState::Unread;
            QString line = QStringLiteral("%1: %2")
                               .arg(panel.Address)
                               .arg(QString::fromLatin1(SiteWriteStepName(panel.Step)));
            if (panel.Step == SiteWriteStep::Failed)
                line += QStringLiteral(" (") + FromNative(panel.Why) + QStringLiteral(")");
            summary << line;
        }
        lblStatus_->setText(summary.join(QStringLiteral("; ")));
    });
}

void frmSite::ChooseReportFile() {
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report"), folder_,
                                                QStringLiteral("PDF files (*.pdf)"));
    if (name.isEmpty()) return;
    if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) name += QStringLiteral(".pdf");
    SaveReport(name);
}

void frmSite::SaveReport(const QString& fileName) {
    SiteReportRequest site;
    site.Folder = Native(folder_);
    site.Rows = rows_;
    site.Unreadable = files_.Unreadable;
    const std::time_t now = std::time(nullptr);
    site.PrintedAt = LocalReportMoment(now);
    std::string failure;
    const std::vector<SiteReportFile> reports =
        LoadSiteReportFiles(files_, site.PrintedAt, failure);
    QString error = FromNative(failure);
    if (error.isEmpty()) error = WriteSiteReportPdf(fileName, site, reports);
    lblStatus_->setText(error.isEmpty() ? QStringLiteral("Report saved: ") + fileName : error);
}

void frmSite::OpenRow(int r) {
    if (running_ || r < 0 || r >= static_cast<int>(rows_.size())) return;
    const SitePanel& row = rows_[static_cast<size_t>(r)];
    if (!Comparable(row)) {
        lblStatus_->setText(
            QStringLiteral("Address %1 needs a panel and a file for its product to open.")
                .arg(row.Address));
        return;
    }
    emit panelOpenRequested(row, FromNative(FilePath(row.Address)));
}

}  // namespace kvtk
