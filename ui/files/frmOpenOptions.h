#pragma once
// "Open Option": asked when a file was written for another panel address,
// product or version than the one the main window is programming. The user
// loads the data for the current device, goes offline with the file's
// device, or cancels the open.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace kvtk {

// The choice, as the index of cmdAction.
enum class OpenOption { LoadForCurrentDevice = 0, GoOfflineWithFileDevice = 1, Cancel = 2 };

struct OpenOptionTexts {
    QString CurrentInfo;  // "You are ... programming data for an ..."
    QString FileInfo;     // "You are opening a file for an ..."
    QString Difference;   // "This is a different ..."
};

class frmOpenOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOpenOptions(const OpenOptionTexts& texts, QWidget* parent = nullptr);

    // The button pressed; Cancel also when the dialog was closed otherwise.
    OpenOption Choice() const { return choice_; }
    QPushButton* cmdAction(int index) const { return actions_.at(static_cast<size_t>(index)); }

private:
    OpenOption choice_ = OpenOption::Cancel;
    std::array<QPushButton*, 3> actions_{};
};

}  // namespace kvtk
