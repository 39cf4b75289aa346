#pragma once
// Everything the file commands and the print dialog ask the user: the open
// and save dialogs with their information panel, the Open Option dialog,
// message boxes and the PDF file name. The windows use QtFilePrompts; tests
// put a scripted implementation in its place.

#include <QMessageBox>
#include <QString>
#include <optional>

#include "ui/files/frmOpenOptions.h"
#include "ui/files/printer_choice.h"

class QFileDialog;
class QWidget;

namespace kvtk {

struct FileInfoState;

// The open or save dialog of a configuration file.
struct ConfigFileDialogRequest {
    bool Save = false;   // the save dialog: the description can be edited
    QString Title;       // "Save file", "Open file", "Open file - names only"
    QString AcceptText;  // "Save", "Open"
    QString Folder;      // where the dialog starts; empty: the working folder
};

// A message box: text lines are separated by carriage returns ("\r").
struct MessagePrompt {
    QString Title;  // empty: no title of its own
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

class FilePrompts {
public:
    virtual ~FilePrompts() = default;

    // Shows the dialog modally; every selection change goes through
    // `info.Select` and is shown in the panel. The full path of the chosen
    // file, or nothing when the user cancelled.
    virtual std::optional<QString> AskConfigFileName(const ConfigFileDialogRequest& request,
                                                     FileInfoState& info) = 0;
    virtual OpenOption AskOpenOption(const OpenOptionTexts& texts) = 0;
    // The button pressed (Cancel, or the Escape button, when the box was closed).
    virtual QMessageBox::StandardButton Ask(const MessagePrompt& prompt) = 0;
    // The name of a PDF file to save the report in; nothing when cancelled.
    virtual std::optional<QString> AskPdfFileName(const QString& suggestedPath) = 0;
    // The platform's print dialog, starting from `choice`; true, with
    // `choice` changed, when the user accepted it.
    virtual bool AskPrinter(PrinterChoice& choice) = 0;
};

// The real dialogs, parented to `parent`.
class QtFilePrompts : public FilePrompts {
public:
    explicit QtFilePrompts(QWidget* parent) : parent_(parent) {}

    std::optional<QString> AskConfigFileName(const ConfigFileDialogRequest& request,
                                             FileInfoState& info) override;
    OpenOption AskOpenOption(const OpenOptionTexts& texts) override;
    QMessageBox::StandardButton Ask(const MessagePrompt& prompt) override;
    std::optional<QString> AskPdfFileName(const QString& suggestedPath) override;
    bool AskPrinter(PrinterChoice& choice) override;

private:
    QWidget* parent_;
};

// "KVTK Data Files|*.kvx|All Files|*.*" in Qt's form:
// "KVTK Data Files (*.kvx);;All Files (*)".
QString QtFileFilter(const QString& barSeparated);

// The open or save dialog with the information panel inside it, ready to be
// shown (not shown). Exposed for the screenshot and tests.
QFileDialog* CreateConfigFileDialog(const ConfigFileDialogRequest& request, FileInfoState& info,
                                    QWidget* parent);

}  // namespace kvtk
