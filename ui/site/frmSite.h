#pragma once
// The Site window: a folder of .kvx files beside the panels on the line.
// "Scan" finds the panels, "Compare All" reads each one that has a file,
// "Back Up All" keeps a backup of each, "Write Selected..." writes the
// chosen rows from their files after one question, "Save Report..." prints
// the whole site as a PDF. A running step shows its progress and stops
// with "Stop" between panels. A double click asks for the row's panel in
// the main window.

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <vector>

#include "model/panel_exchange.h"
#include "model/site.h"
#include "ui/site/site_host.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace kvtk {

class frmSite : public QDialog {
    Q_OBJECT
public:
    using QuestionAsker = std::function<bool(const QString& title, const QString& text)>;

    explicit frmSite(PanelExchange& exchange, QWidget* parent = nullptr);
    ~frmSite() override;

    SiteHost& Host() { return *host_; }

    // Reads the folder and shows its files; nothing is sent to the panels.
    void OpenFolder(const QString& folder);
    const QString& Folder() const { return folder_; }
    void SetBackupFolder(const QString& folder) { backupFolder_ = folder; }
    void SetVerifyAfterWrite(bool verify) { verify_ = verify; }
    // One short try per address, as the connect dialog's "Quick" box.
    void SetQuickScan(bool quick) { quick_ = quick; }
    // "Write Selected..." asks through this (tests answer it).
    void SetQuestionAsker(QuestionAsker asker) { ask_ = std::move(asker); }

    void Scan();
    void CompareAll();
    void BackUpAll();
    void WriteSelected();
    void SaveReport(const QString& fileName);
    bool Running() const { return running_; }
    const std::vector<SitePanel>& Rows() const { return rows_; }

    QTableWidget* tblSite() const { return table_; }
    QPushButton* cmdStop() const { return cmdStop_; }
    QLabel* lblStatus() const { return lblStatus_; }

signals:
    // A double click on a row with a panel and a file.
    void panelOpenRequested(const SitePanel& row, const QString& filePath);
    void folderChanged(const QString& folder);
    // A step starts or ends: the rest of the tool must not use the line meanwhile.
    void runningChanged(bool running);

protected:
    // Closing waits for the running step, which Stop ends between panels.
    void reject() override;

private:
    void BuildWidgets();
    void ChooseFolder();
    void ChooseReportFile();
    // Runs `work` with the buttons off, the progress shown and Stop on.
    void Run(const QString& what, const std::function<void()>& work);
    // Panel `done` of `count` has finished; the bar and the time left follow.
    void Progress(int done, int count, const QString& text);
    bool StopRequested() const { return stopRequested_; }
    void Refresh();
    std::string FilePath(int address) const;
    void OpenRow(int row);

    PanelExchange& exchange_;
    std::unique_ptr<SiteHost> host_;
    QuestionAsker ask_;
    QString folder_;
    QString backupFolder_;
    bool verify_ = false;
    bool quick_ = false;
    SiteFiles files_;
    std::vector<SitePanel> rows_;
    bool scanned_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
    QElapsedTimer clock_;

    QLineEdit* txtFolder_;
    QTableWidget* table_;
    QLabel* lblUnreadable_;
    QLabel* lblStatus_;
    QProgressBar* progress_;
    QPushButton* cmdScan_;
    QPushButton* cmdCompare_;
    QPushButton* cmdBackup_;
    QPushButton* cmdWrite_;
    QPushButton* cmdReport_;
    QPushButton* cmdStop_;
};

}  // namespace kvtk
