#pragma once
// File > "Export Names..." and "Import Names...": the input and group names
// of the configuration to and from a spreadsheet file (CSV). An import
// checks every row first, changes nothing when one is wrong, and is one
// undo step.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QAction;

namespace kvtk {

class MainWindowAccess;

class NamesCommands : public QObject {
    Q_OBJECT
public:
    // The file dialog: the chosen path, nothing when cancelled.
    using FileNameAsker = std::function<std::optional<QString>(bool save)>;
    // A message box with an OK button.
    using Teller =
        std::function<void(QMessageBox::Icon, const QString& title, const QString& text)>;

    // Adds both commands to the File menu after Open Names.
    explicit NamesCommands(MainWindowAccess& window);

    // Tests answer the dialogs.
    void SetPrompts(FileNameAsker askFileName, Teller tell);

    void Export();
    void Import();

    QAction* ExportAction() const { return export_; }
    QAction* ImportAction() const { return import_; }

private:
    MainWindowAccess& window_;
    FileNameAsker askFileName_;
    Teller tell_;
    QAction* export_ = nullptr;
    QAction* import_ = nullptr;
};

}  // namespace kvtk
