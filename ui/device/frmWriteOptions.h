#pragma once
// "Write Options": which parts of the configuration the Write command sends
// (header, inputs, groups) and how many groups. The dialog keeps its choices
// between uses; "&Cancel" (or the close button) clears all three parts, so
// the next Write starts with nothing chosen.

#include <QDialog>

#include "transfer/operations/write_configuration.h"
#include "ui/widgets/beeper.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kvtk {

class SpinButtons;
struct SpinTick;

// The safety net of a write, kept apart from the parts to send. The dialog
// keeps these between uses; a settings store reads and restores them
// through Safety() and SetSafety().
struct WriteSafety {
    bool Backup = true;   // read and keep the panel's configuration first
    bool Verify = false;  // read the panel back after the save and compare
    // Send only what differs from the panel (read first, backup or not).
    bool ChangesOnly = false;
};

class frmWriteOptions : public QDialog {
    Q_OBJECT
public:
    frmWriteOptions(SpinTick& tick, const Beeper& beeper, QWidget* parent = nullptr);

    // Sets the group count to maxGroups (the spin's upper limit from now on)
    // before the dialog is shown.
    void Prepare(int maxGroups);
    // The choices as they stand (after "&Write" or "&Cancel").
    WriteOptions Options() const;
    WriteSafety Safety() const;
    void SetSafety(const WriteSafety& safety);

    QCheckBox* chkHeader() const { return chkHeader_; }
    QCheckBox* chkInputs() const { return chkInputs_; }
    QCheckBox* chkGroups() const { return chkGroups_; }
    QLineEdit* txtGroupCount() const { return txtGroupCount_; }
    SpinButtons* spnGroupCount() const { return spnGroupCount_; }
    QCheckBox* chkBackup() const { return chkBackup_; }
    QCheckBox* chkVerify() const { return chkVerify_; }
    QCheckBox* chkChangesOnly() const { return chkChangesOnly_; }
    QPushButton* cmdWrite() const { return cmdWrite_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

public slots:
    // "&Cancel", Escape and the close button: every part cleared.
    void reject() override;

private:
    void GroupsClicked(bool checked);

    int maxGroups_ = 0;
    QCheckBox* chkHeader_;
    QCheckBox* chkInputs_;
    QCheckBox* chkGroups_;
    QLabel* lblGroupCount_;
    QLineEdit* txtGroupCount_;
    SpinButtons* spnGroupCount_;
    QCheckBox* chkBackup_;
    QCheckBox* chkVerify_;
    QCheckBox* chkChangesOnly_;
    QPushButton* cmdWrite_;
    QPushButton* cmdCancel_;
};

}  // namespace kvtk
