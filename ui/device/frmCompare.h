#pragma once
// The differences between a configuration file and a panel, one row each
// (section, item, file value, panel value), with "Save list" to keep them
// as text. Shown by Device > "Compare With File..." and by the check after
// a write.

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "transfer/operations/config_compare.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kvtk {

class frmCompare : public QDialog {
    Q_OBJECT
public:
    // The file the list is saved in; nothing when the user cancelled.
    using FileNameAsker = std::function<std::optional<QString>()>;

    explicit frmCompare(const QString& title, QWidget* parent = nullptr);

    void ShowDifferences(const QString& summary, const std::vector<ConfigDifference>& list);
    // Before a write: the same rows as panel value, then the new value.
    void ShowChanges(const QString& summary, const std::vector<ConfigDifference>& list);
    void SetFileNameAsker(FileNameAsker asker) { askFileName_ = std::move(asker); }

    QLabel* lblSummary() const { return lblSummary_; }
    QTableWidget* tblDifferences() const { return tblDifferences_; }
    QPushButton* cmdSaveList() const { return cmdSaveList_; }
    QPushButton* cmdClose() const { return cmdClose_; }

private:
    void Show(const QString& summary, const std::vector<ConfigDifference>& list);
    void SaveList();

    FileNameAsker askFileName_;
    std::vector<ConfigDifference> list_;
    bool changes_ = false;  // the columns are panel value, new value
    QLabel* lblSummary_;
    QTableWidget* tblDifferences_;
    QPushButton* cmdSaveList_;
    QPushButton* cmdClose_;
};

// The saved list: a heading line, then one tab-separated line per
// difference, CR LF line ends.
std::string DifferenceListText(const std::vector<ConfigDifference>& list);
// The same for the list before a write (panel value, new value).
std::string ChangeListText(const std::vector<ConfigDifference>& list);

}  // namespace kvtk
