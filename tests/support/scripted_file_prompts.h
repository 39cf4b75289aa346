#pragma once
// The file dialogs and questions of the File commands, answered from a
// script and recorded; an empty script cancels.

#include <QFile>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/files/file_info_panel.h"
#include "ui/files/file_prompts.h"

namespace kvtk::test {

class ScriptedPrompts : public FilePrompts {
public:
    struct Dialog {
        QString Selected;  // the file the user points at (selection change)
        std::optional<QString> Chosen;
    };
    std::deque<Dialog> dialogs;
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<OpenOption> options;
    std::optional<QString> pdfName;
    std::optional<PrinterChoice> printer;  // what the print dialog is left with; none cancels
    std::string description;               // typed into every save dialog's panel

    std::vector<ConfigFileDialogRequest> dialogRequests;
    std::vector<MessagePrompt> messages;
    std::vector<OpenOptionTexts> optionTexts;

    // "No" to saving first, then `path` is chosen.
    static std::unique_ptr<ScriptedPrompts> Opening(const QString& path) {
        auto prompts = std::make_unique<ScriptedPrompts>();
        prompts->answers.push_back(QMessageBox::No);
        prompts->dialogs.push_back({path, path});
        return prompts;
    }

    std::optional<QString> AskConfigFileName(const ConfigFileDialogRequest& request,
                                             FileInfoState& info) override {
        dialogRequests.push_back(request);
        if (dialogs.empty()) return std::nullopt;
        const Dialog dialog = dialogs.front();
        dialogs.pop_front();
        if (!dialog.Selected.isEmpty())
            info.Select(QFile::encodeName(dialog.Selected).toStdString());
        if (request.Save && !description.empty()) info.View.Description = description;
        return dialog.Chosen;
    }
    OpenOption AskOpenOption(const OpenOptionTexts& texts) override {
        optionTexts.push_back(texts);
        if (options.empty()) return OpenOption::Cancel;
        const OpenOption option = options.front();
        options.pop_front();
        return option;
    }
    QMessageBox::StandardButton Ask(const MessagePrompt& prompt) override {
        messages.push_back(prompt);
        if (prompt.Buttons == QMessageBox::Ok) return QMessageBox::Ok;
        if (answers.empty()) return QMessageBox::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> AskPdfFileName(const QString&) override { return pdfName; }
    bool AskPrinter(PrinterChoice& choice) override {
        if (!printer) return false;
        choice = *printer;
        return true;
    }

    QStringList Titles() const {
        QStringList titles;
        for (const auto& request : dialogRequests) titles << request.Title;
        return titles;
    }
};

}  // namespace kvtk::test
