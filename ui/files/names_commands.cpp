#include "ui/files/names_commands.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <algorithm>

#include "files/file_access.h"
#include "files/names_csv.h"
#include "files/safe_save.h"
#include "ui/main/edit_commands.h"
#include "ui/main/input_editor.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

const char* const kExportTitle = "Export Names";
const char* const kImportTitle = "Import Names";
// A long list of refused rows is cut; the first ones tell what is wrong.
constexpr std::size_t kRefusalsShown = 15;

QString RefusalText(const std::vector<RefusedRow>& refused) {
    const std::vector<RefusedRow> shown(
        refused.begin(),
        refused.begin() + static_cast<std::ptrdiff_t>(std::min(refused.size(), kRefusalsShown)));
    QString text = QStringLiteral("Nothing was imported. These rows were refused:\n\n") +
                   QString::fromStdString(RefusedRowsText(shown));
    if (refused.size() > shown.size())
        text += QStringLiteral("... and %1 more.").arg(refused.size() - shown.size());
    return text;
}

}  // namespace

NamesCommands::NamesCommands(MainWindowAccess& window)
    : QObject(&window.Widget()), window_(window) {
    QMenu* menu = &window.FileMenu();
    const QList<QAction*> actions = menu->actions();
    QAction* before = nullptr;  // the entry after Open Names
    for (qsizetype i = 0; i + 1 < actions.size(); ++i)
        if (actions[i]->objectName() == QStringLiteral("mnuFileOpen_1")) before = actions[i + 1];
    export_ = new QAction(QStringLiteral("&Export Names..."), menu);
    export_->setObjectName(QStringLiteral("mnuFileExportNames"));
    import_ = new QAction(QStringLiteral("&Import Names..."), menu);
    import_->setObjectName(QStringLiteral("mnuFileImportNames"));
    menu->insertActions(before, {export_, import_});
    connect(export_, &QAction::triggered, this, &NamesCommands::Export);
    connect(import_, &QAction::triggered, this, &NamesCommands::Import);

    askFileName_ = [this](bool save) -> std::optional<QString> {
        const QString filter = QStringLiteral("CSV Files (*.csv);;All Files (*)");
        const QString name =
            save ? QFileDialog::getSaveFileName(&window_.Widget(),
                                                QString::fromLatin1(kExportTitle), {}, filter)
                 : QFileDialog::getOpenFileName(&window_.Widget(),
                                                QString::fromLatin1(kImportTitle), {}, filter);
        return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    };
    tell_ = [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, &window_.Widget());
        box.exec();
    };
}

void NamesCommands::SetPrompts(FileNameAsker askFileName, Teller tell) {
    askFileName_ = std::move(askFileName);
    tell_ = std::move(tell);
}

void NamesCommands::Export() {
    window_.CommitEdits();
    const std::optional<QString> name = askFileName_(true);
    if (!name) return;
    const FileResult saved =
        SaveFileAtomically(QFile::encodeName(*name).toStdString(), NamesCsvText(window_.Config()));
    if (!saved.Ok()) tell_(QMessageBox::Critical, ToQString(saved.Title), ToQString(saved.Message));
}

void NamesCommands::Import() {
    window_.CommitEdits();
    const std::optional<QString> name = askFileName_(false);
    if (!name) return;
    // Only a regular file of a bounded size is opened: a named pipe would
    // block the window, a device would never end.
    std::string bytes;
    if (FileResult readable = ReadWholeFile(QFile::encodeName(*name).toStdString(), bytes);
        !readable.Ok()) {
        tell_(QMessageBox::Critical, QString::fromLatin1(kImportTitle),
              *name + QStringLiteral(" cannot be read: ") + ToQString(readable.Message).trimmed());
        return;
    }
    NamesImport names = ParseNamesCsv(bytes);
    if (names.Ok()) names.Refused = RowsBeyondConfiguration(names.Rows, window_.Config());
    if (!names.Ok()) {
        tell_(QMessageBox::Warning, QString::fromLatin1(kImportTitle), RefusalText(names.Refused));
        return;
    }
    const auto undoStep = window_.Edit().Step(QString::fromLatin1(kImportTitle));
    ApplyNames(window_.Config(), names.Rows);
    window_.ShowConfiguration();
}

}  // namespace kvtk
