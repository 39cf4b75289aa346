#pragma once
// "Special Options": one check box per bit of the panel's special options
// mask. It changes only the configuration (the write sends the mask); every
// click counts at once, so there is nothing to cancel. "Option 2" needs
// "Option 1".

#include <QDialog>
#include <array>
#include <cstdint>

#include "transfer/operations/special_options.h"

class QCheckBox;
class QPushButton;

namespace kvtk {

class frmSpecialOptions : public QDialog {
    Q_OBJECT
public:
    // `mask` is the configuration's SpecialOptions; it outlives the dialog.
    explicit frmSpecialOptions(int32_t& mask, QWidget* parent = nullptr);

    // Box i stands for bit i (0..7).
    QCheckBox* chkOption(int i) const { return chkOption_.at(static_cast<size_t>(i)); }
    QPushButton* cmdOK() const { return cmdOK_; }

protected:
    // The boxes show the mask each time the dialog is shown.
    void showEvent(QShowEvent* event) override;

private:
    void ShowMask();
    void Clicked(int box, bool checked);

    int32_t& mask_;
    std::array<QCheckBox*, kSpecialOptionCount> chkOption_{};
    QPushButton* cmdOK_;
};

}  // namespace kvtk
