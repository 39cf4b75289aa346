#pragma once
// The "File Information" panel of the open and save dialogs: the header of
// the file the user points at (product, version, date, time, description,
// address). FileInfoState is what the panel shows; it lives for the whole
// run, so the description typed in one dialog is there in the next, and the
// report and the open command read it after the dialog closed.

#include <QGroupBox>
#include <string>

#include "files/file_header.h"

class QLabel;
class QLineEdit;

namespace kvtk {

struct FileInfoState {
    FileHeaderView View;
    // The header of the last selected file was usable (false until a selection).
    bool HeaderValid = false;

    // A new selection: the panel shows that file's header.
    void Select(const std::string& fileSystemPath);
};

// fraFileInfo: shows a FileInfoState and writes the typed description back.
class FileInfoPanel : public QGroupBox {
    Q_OBJECT
public:
    FileInfoPanel(FileInfoState& state, bool descriptionEditable, QWidget* parent = nullptr);

    // Shows the state again (after a selection change).
    void Refresh();

    QLabel* lblProductType() const { return lblProductType_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblDate() const { return lblDate_; }
    QLabel* lblTime() const { return lblTime_; }
    QLabel* lblAddress() const { return lblAddress_; }
    QLineEdit* txtDescription() const { return txtDescription_; }

private:
    FileInfoState& state_;
    QLabel* lblProductType_;
    QLabel* lblVersion_;
    QLabel* lblDate_;
    QLabel* lblTime_;
    QLabel* lblAddress_;
    QLineEdit* txtDescription_;
};

}  // namespace kvtk
