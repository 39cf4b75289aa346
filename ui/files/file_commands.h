#pragma once
// The File menu's commands: Open, Open Recent, Open Names, Save, Save As and
// Print. They keep the state the commands share for the whole run: the
// information panel of the file dialogs, whether the last file dialog was
// accepted, the file it chose (the printed report names it), the file the
// data in memory belong to (Save writes it again), the recent files and the
// printer chosen.

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "files/file_result.h"
#include "report/configuration_report.h"
#include "ui/files/file_info_panel.h"
#include "ui/files/frmPrint.h"
#include "ui/files/recent_files.h"

class QAction;
class QMenu;

namespace kvtk {

class FilePrompts;
class MainWindowAccess;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // Adds Open, Open Recent, Open Names, Save, Save As and Print to the main
    // window's File menu, before Exit, with the usual shortcuts.
    explicit FileCommands(MainWindowAccess& window);
    ~FileCommands() override;

    // Tests put scripted dialogs and a fake printer in place of the real ones.
    void SetPrompts(std::unique_ptr<FilePrompts> prompts);
    void SetPrintJob(ReportPrintJob job) { printJob_ = std::move(job); }
    // The printer chosen in the Print dialog for this run (its name is remembered).
    PrinterChoice& Printer() { return printer_; }
    FilePrompts& Prompts() { return *prompts_; }

    enum class SaveOutcome { Cancelled, Declined, Written, Failed };
    // mnuFileSave: writes the file the data were opened from or saved to
    // last, with its description; without one it is Save As.
    SaveOutcome Save();
    // "Save As...": the save dialog, whatever file the data came from.
    SaveOutcome SaveAs();
    // An entry of Open Recent: as Open with that file chosen. A file that
    // is gone is taken off the list, and the user told.
    void OpenRecent(const QString& path);
    // mnuFileOpen: index 0 Open, 1 Open Names (names only).
    void Open(int index);
    // mnuFilePrint: the print dialog, modal.
    void Print();
    // Opens the file named on the command line: offline, for the device in
    // its header, as Open's "Go offline with device specified by the file."
    // False, after saying why, when the file cannot be opened.
    bool OpenAtStart(const QString& path);

    // The folder the open and save dialogs start in: the last one used.
    const QString& LastFolder() const { return lastFolder_; }
    void SetLastFolder(const QString& folder) { lastFolder_ = folder; }

    FileInfoState& Info() { return info_; }
    // The last file dialog was cancelled (or its command ended as if it was).
    bool DialogCancelled() const { return dialogCancelled_; }
    // Where the data in memory came from, for the report.
    ReportOrigin Origin() const;
    // The product the data in memory were loaded for: the file's, or the
    // device's the user chose to load them for. None before a file was
    // loaded, and after a read from a panel (ForgetDataProduct).
    const std::optional<ProductIdentity>& DataProduct() const { return dataProduct_; }
    // After a read from a panel: the data are no longer a file's.
    void ForgetDataProduct() {
        dataProduct_.reset();
        currentFile_.clear();
    }
    // The file Save writes; empty when Save asks.
    const QString& CurrentFile() const { return currentFile_; }
    // Open Recent's files, newest first.
    const QStringList& RecentFileList() const { return recent_.Files(); }
    void SetRecentFiles(const QStringList& files);
    QMenu* RecentMenu() const { return recentMenu_; }

    QAction* SaveAction() const { return save_; }
    QAction* PrintAction() const { return print_; }
    QAction* SaveAsAction() const { return saveAs_; }
    QAction* OpenAction() const { return open_[0]; }

signals:
    // The connect dialog should select the catalogue entry of the identity
    // now shown (its update box); with `selectOffline` its offline choice too.
    void catalogueUpdateRequested(bool selectOffline);

private:
    void ShowFailure(const FileResult& result);
    void SetCaption(const QString& fileName, const std::string& description);
    void RememberHeader();
    void RememberFolder(const QString& fileName);
    void GoOfflineWithFileDevice(const FileHeaderView& file);
    void Load(const std::string& name, bool namesOnly, std::optional<std::string> keepAddress);
    // Open's steps once a file was chosen and its header read: the
    // comparison with the main window, the Open Option dialog, the load.
    void OpenChosen(const std::string& name, bool namesOnly);
    // The save-first question; false when the open is to end.
    bool SaveFirst();
    SaveOutcome WriteTo(const std::string& name, const std::string& description);
    void AddRecent(const QString& file);
    // Fills Open Recent from the list (disabled while it is empty).
    void ShowRecentMenu();

    MainWindowAccess& window_;
    std::unique_ptr<FilePrompts> prompts_;
    ReportPrintJob printJob_ = PrintOnChosenPrinter;
    PrinterChoice printer_;
    FileInfoState info_;
    bool dialogCancelled_ = true;  // no dialog yet: the data is not from a file
    std::optional<ProductIdentity> dataProduct_;
    QString fileName_;
    QString currentFile_;
    QString lastFolder_;
    RecentFiles recent_;
    std::array<QAction*, 2> open_{};
    QMenu* recentMenu_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* print_ = nullptr;
};

}  // namespace kvtk
