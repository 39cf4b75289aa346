#pragma once
// The panels a scan found, listed under the connect dialog's scan button:
// address, product and version per row. Picking a row picks its address.
// Hidden until a scan finds something.

#include <QTreeWidget>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

class FoundPanelsList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FoundPanelsList(QWidget* parent = nullptr);

    // The addresses found, with their statuses from the address table.
    void Fill(const std::vector<int>& found, const Configuration& config);

signals:
    void addressPicked(int address);
};

}  // namespace kvtk
