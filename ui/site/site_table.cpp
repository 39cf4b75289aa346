#include "ui/site/site_table.h"

#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QStyle>
#include <QTableWidget>

#include "ui/widgets/text_convert.h"

namespace kvtk {

QString SiteStateText(const SitePanel& row) {
    QString text = QString::fromLatin1(SiteStateWords(row.State));
    if (row.State == SiteState::Differs)
        text += row.Differences == 1 ? QStringLiteral(" (1 value)")
                                     : QStringLiteral(" (%1 values)").arg(row.Differences);
    return text;
}

QIcon SiteStateIcon(SiteState state, const QWidget& widget) {
    QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxQuestion;
    switch (state) {
        case SiteState::Same:
            pixmap = QStyle::SP_DialogApplyButton;
            break;
        case SiteState::Differs:
            pixmap = QStyle::SP_MessageBoxWarning;
            break;
        case SiteState::NoFile:
        case SiteState::Unread:
            pixmap = QStyle::SP_MessageBoxQuestion;
            break;
        case SiteState::NoPanel:
        case SiteState::NotCompatible:
        case SiteState::Garbled:
            pixmap = QStyle::SP_MessageBoxCritical;
            break;
    }
    return widget.style()->standardIcon(pixmap);
}

QTableWidget* MakeSiteTable() {
    auto* table = new QTableWidget(0, 6);
    table->setObjectName(QStringLiteral("tblSite"));
    table->setHorizontalHeaderLabels({QStringLiteral("Address"), QStringLiteral("Product"),
                                      QStringLiteral("Version"), QStringLiteral("File"),
                                      QStringLiteral("State"), QStringLiteral("Last backup")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void FillSiteTable(QTableWidget& table, const std::vector<SitePanel>& rows,
                   const std::vector<QString>& lastBackups) {
    table.setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const SitePanel& row = rows[i];
        const int r = static_cast<int>(i);
        const auto cell = [&](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            table.setItem(r, column, item);
            return item;
        };
        cell(kColAddress, QString::number(row.Address));
        cell(kColProduct, row.Model.empty() ? QStringLiteral("-") : ToQString(row.Model));
        cell(kColVersion, row.Model.empty() ? QStringLiteral("-") : ToQString(row.Version));
        cell(kColFile, row.File.empty() ? QStringLiteral("-")
                                        : QFile::decodeName(QByteArray::fromStdString(row.File)));
        cell(kColState, SiteStateText(row))->setIcon(SiteStateIcon(row.State, table));
        cell(kColBackup, i < lastBackups.size() && !lastBackups[i].isEmpty() ? lastBackups[i]
                                                                             : QStringLiteral("-"));
    }
    table.resizeColumnsToContents();
}

}  // namespace kvtk
