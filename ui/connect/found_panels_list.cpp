#include "ui/connect/found_panels_list.h"

#include <QHeaderView>

#include "model/products.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

FoundPanelsList::FoundPanelsList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("lstFound"));
    setAccessibleName(QStringLiteral("Devices found"));
    setHeaderLabels(
        {QStringLiteral("Address"), QStringLiteral("Product"), QStringLiteral("Version")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setMaximumHeight(fontMetrics().height() * 7);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hide();
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) emit addressPicked(item->data(0, Qt::UserRole).toInt());
    });
}

void FoundPanelsList::Fill(const std::vector<int>& found, const Configuration& config) {
    clear();
    for (const int address : found) {
        const ProductIdentity& id = config.AddressTable[static_cast<size_t>(address)].Identity;
        auto* item = new QTreeWidgetItem(
            this, {QString::number(address), ToQString(id.Model), ToQString(id.Version)});
        item->setData(0, Qt::UserRole, address);
    }
    setVisible(!found.empty());
}

}  // namespace kvtk
