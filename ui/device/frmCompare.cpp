#include "ui/device/frmCompare.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/safe_save.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

std::string DifferenceListText(const std::vector<ConfigDifference>& list) {
    std::string text = "Section\tItem\tFile value\tPanel value\r\n";
    for (const ConfigDifference& d : list)
        text += d.Section + '\t' + d.Item + '\t' + d.FileValue + '\t' + d.PanelValue + "\r\n";
    return text;
}

std::string ChangeListText(const std::vector<ConfigDifference>& list) {
    std::string text = "Section\tItem\tPanel value\tNew value\r\n";
    for (const ConfigDifference& d : list)
        text += d.Section + '\t' + d.Item + '\t' + d.PanelValue + '\t' + d.FileValue + "\r\n";
    return text;
}

frmCompare::frmCompare(const QString& title, QWidget* parent)
    : QDialog(parent),
      lblSummary_(new QLabel),
      tblDifferences_(new QTableWidget(0, 4)),
      cmdSaveList_(new QPushButton(QStringLiteral("Save list"))),
      cmdClose_(new QPushButton(QStringLiteral("Close"))) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(title);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    tblDifferences_->setObjectName(QStringLiteral("tblDifferences"));
    tblDifferences_->setAccessibleName(QStringLiteral("Differences"));
    tblDifferences_->setHorizontalHeaderLabels({QStringLiteral("Section"), QStringLiteral("Item"),
                                                QStringLiteral("File value"),
                                                QStringLiteral("Panel value")});
    tblDifferences_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblDifferences_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblDifferences_->verticalHeader()->hide();
    tblDifferences_->horizontalHeader()->setStretchLastSection(true);
    cmdSaveList_->setObjectName(QStringLiteral("cmdSaveList"));
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveList_);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(tblDifferences_, 1);
    layout->addLayout(buttons);
    resize(640, 420);

    askFileName_ = [this]() -> std::optional<QString> {
        const QString name =
            QFileDialog::getSaveFileName(this, QStringLiteral("Save list"), QString(),
                                         QStringLiteral("Text Files (*.txt);;All Files (*)"));
        if (name.isEmpty()) return std::nullopt;
        return name;
    };
    connect(cmdSaveList_, &QPushButton::clicked, this, &frmCompare::SaveList);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmCompare::ShowDifferences(const QString& summary,
                                 const std::vector<ConfigDifference>& list) {
    changes_ = false;
    Show(summary, list);
}

void frmCompare::ShowChanges(const QString& summary, const std::vector<ConfigDifference>& list) {
    changes_ = true;
    Show(summary, list);
}

void frmCompare::Show(const QString& summary, const std::vector<ConfigDifference>& list) {
    list_ = list;
    tblDifferences_->setHorizontalHeaderLabels(
        {QStringLiteral("Section"), QStringLiteral("Item"),
         changes_ ? QStringLiteral("Panel value") : QStringLiteral("File value"),
         changes_ ? QStringLiteral("New value") : QStringLiteral("Panel value")});
    lblSummary_->setText(summary);
    tblDifferences_->setRowCount(static_cast<int>(list.size()));
    for (int row = 0; row < static_cast<int>(list.size()); ++row) {
        const ConfigDifference& d = list[static_cast<size_t>(row)];
        const std::string cells[] = {d.Section, d.Item, changes_ ? d.PanelValue : d.FileValue,
                                     changes_ ? d.FileValue : d.PanelValue};
        for (int column = 0; column < 4; ++column)
            tblDifferences_->setItem(row, column, new QTableWidgetItem(ToQString(cells[column])));
    }
    tblDifferences_->resizeColumnsToContents();
    cmdSaveList_->setEnabled(!list.empty());
}

void frmCompare::SaveList() {
    const std::optional<QString> name = askFileName_ ? askFileName_() : std::nullopt;
    if (!name) return;
    const FileResult saved =
        SaveFileAtomically(QFile::encodeName(*name).toStdString(),
                           changes_ ? ChangeListText(list_) : DifferenceListText(list_));
    if (!saved.Ok())
        QMessageBox::warning(
            this, ToQString(saved.Title),
            ToQString(saved.Message).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

}  // namespace kvtk
