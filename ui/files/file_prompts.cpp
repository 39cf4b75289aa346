#include "ui/files/file_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include "ui/files/file_info_panel.h"

namespace kvtk {

QString QtFileFilter(const QString& barSeparated) {
    const QStringList parts = barSeparated.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file, with or without an extension.
        for (QString& pattern : patterns)
            if (pattern.trimmed() == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

QFileDialog* CreateConfigFileDialog(const ConfigFileDialogRequest& request, FileInfoState& info,
                                    QWidget* parent) {
    auto* dialog = new QFileDialog(parent, request.Title);
    dialog->setObjectName(request.Save ? QStringLiteral("dlgSaveFile")
                                       : QStringLiteral("dlgOpenFile"));
    // Qt's own dialog, so the information panel can sit inside it.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    // The save command asks its own overwrite question after the name rule.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog->setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilter(QtFileFilter(QStringLiteral("KVTK Data Files|*.kvx|All Files|*.*")));
    dialog->setLabelText(QFileDialog::Accept, request.AcceptText);
    if (!request.Folder.isEmpty() && QFileInfo(request.Folder).isDir())
        dialog->setDirectory(request.Folder);
    dialog->setModal(true);

    auto* panel = new FileInfoPanel(info, request.Save);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
    else if (dialog->layout())
        dialog->layout()->addWidget(panel);
    QObject::connect(dialog, &QFileDialog::currentChanged, panel,
                     [&info, panel](const QString& path) {
                         info.Select(QFile::encodeName(path).toStdString());
                         panel->Refresh();
                     });
    return dialog;
}

std::optional<QString> QtFilePrompts::AskConfigFileName(const ConfigFileDialogRequest& request,
                                                        FileInfoState& info) {
    QFileDialog* dialog = CreateConfigFileDialog(request, info, parent_);
    std::optional<QString> chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    delete dialog;
    return chosen;
}

OpenOption QtFilePrompts::AskOpenOption(const OpenOptionTexts& texts) {
    frmOpenOptions dialog(texts, parent_);
    dialog.exec();
    return dialog.Choice();
}

QMessageBox::StandardButton QtFilePrompts::Ask(const MessagePrompt& prompt) {
    QString text = prompt.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(prompt.Icon, prompt.Title, text, prompt.Buttons, parent_);
    if (prompt.Default != QMessageBox::NoButton) box.setDefaultButton(prompt.Default);
    const int answer = box.exec();
    return static_cast<QMessageBox::StandardButton>(answer);
}

std::optional<QString> QtFilePrompts::AskPdfFileName(const QString& suggestedPath) {
    QFileDialog dialog(parent_, QStringLiteral("Save report as PDF"), suggestedPath);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF Files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtFilePrompts::AskPrinter(PrinterChoice& choice) {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(printer, choice);
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Printer"));
    // The whole report goes to a printer; a PDF has its own way in the Print dialog.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted || printer.outputFormat() != QPrinter::NativeFormat ||
        printer.printerName().isEmpty())
        return false;
    choice = ChoiceFromPrinter(printer);
    return true;
}

}  // namespace kvtk
