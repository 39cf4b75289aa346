#pragma once
// The File menu's commands: Open, Open Names, Save and Print. They keep the
// state the commands share for the whole run: the information panel of the
// file dialogs, whether the last file dialog was accepted, and the file it
// chose (the printed report names it).

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

class QAction;

namespace kvtk {

class FilePrompts;
class MainWindowAccess;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // Adds Open, Open Names, Save and Print to the main window's File menu,
    // before Exit.
    explicit FileCommands(MainWindowAccess& window);
    ~FileCommands() override;

    // Tests put scripted dialogs and a fake printer in place of the real ones.
    void SetPrompts(std::unique_ptr<FilePrompts> prompts);
    void SetPrintJob(ReportPrintJob job) { printJob_ = std::move(job); }
    FilePrompts& Prompts() { return *prompts_; }

    enum class SaveOutcome { Cancelled, Declined, Written, Failed };
    // mnuFileSave.
    SaveOutcome Save();
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
    void ForgetDataProduct() { dataProduct_.reset(); }

    QAction* SaveAction() const { return save_; }
    QAction* PrintAction() const { return print_; }

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

    MainWindowAccess& window_;
    std::unique_ptr<FilePrompts> prompts_;
    ReportPrintJob printJob_ = PrintOnDefaultPrinter;
    FileInfoState info_;
    bool dialogCancelled_ = true;  // no dialog yet: the data is not from a file
    std::optional<ProductIdentity> dataProduct_;
    QString fileName_;
    QString lastFolder_;
    std::array<QAction*, 2> open_{};
    QAction* save_ = nullptr;
    QAction* print_ = nullptr;
};

}  // namespace kvtk
