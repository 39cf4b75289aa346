#pragma once
// The group editor ("Group Setup"): one group at a time, its name, type,
// members, maintained priority, serial-on priority and flash before off,
// plus a Group menu of commands on all groups. Every edit goes into the
// group record at once; there is no Cancel. The window is created once and
// hidden when closed, so the group number stays for the next opening.
//
// While the number field names no group (empty, 0, not a number or above
// the highest group) the controls of the group are disabled and their
// edits change nothing; the Group menu's commands on all groups still work.

#include <QDialog>
#include <array>
#include <functional>

#include "model/configuration.h"
#include "model/conversions.h"
#include "ui/widgets/beeper.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kvtk {

class GroupNumberField;
class HintLine;
class SpinButtons;

class frmGroupSetup : public QDialog {
    Q_OBJECT
public:
    // Asks a yes/no question; true for Yes.
    using QuestionAsker = std::function<bool(const QString& title, const QString& text)>;

    frmGroupSetup(Configuration& config, const Beeper& beeper, SpinTick& tick, QuestionAsker ask,
                  QWidget* parent = nullptr);

    // The current group, or 0 when the number field names none.
    int CurrentGroup() const;
    // Re-applies the supergroup capability, rebuilds the name list and shows
    // the current group (each time the window opens).
    void Activate();
    // Shows the group the number field names; nothing when it names none.
    void ShowCurrentGroup();

    // The Group menu's commands.
    void SetAllTypes(int type);
    void SetAllPriorities(int priority);
    void SetAllSerialOn(int value);
    void SetAllFlash(int value);
    void RemoveAllMembersFromAllGroups();
    void AutoAssignRelaysToGroups();
    void CreateDefaultNames();

    GroupNumberField* txtGroup() const { return txtGroup_; }
    SpinButtons* spnGroup() const { return spnGroup_; }
    QLabel* lblGroup() const { return lblGroup_; }
    QComboBox* cmbName() const { return cmbName_; }
    QComboBox* cmbInputs() const { return cmbInputs_; }
    QComboBox* cmbSupergroups() const { return cmbSupergroups_; }
    QGroupBox* GroupTypeFrame() const { return GroupTypeFrame_; }
    QRadioButton* GroupTypeSel(int index) const { return GroupTypeSel_.at(index); }
    QRadioButton* GroupPrioritySel(int index) const { return GroupPrioritySel_.at(index); }
    QCheckBox* GroupOverrideSel() const { return GroupOverrideSel_; }
    QCheckBox* FlashControl() const { return FlashControl_; }
    QGroupBox* GroupChildren() const { return GroupChildren_; }
    QCheckBox* chkMember(int k) const { return chkMember_.at(static_cast<std::size_t>(k)); }
    QPushButton* cmdAddAll() const { return cmdAddAll_; }
    QPushButton* cmdRemoveAll() const { return cmdRemoveAll_; }
    QPushButton* cmdInvert() const { return cmdInvert_; }
    QPushButton* cmdDone() const { return cmdDone_; }
    HintLine& Hints() const { return *lblInfo_; }
    QMenu* GroupMenu() const { return mnuZone_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildHeader();
    QWidget* BuildOptions();
    QWidget* BuildMembers();
    QWidget* BuildButtons();
    void BuildMenu(QWidget* menuHolder);
    void RegisterHints();

    GroupConfig* Current();
    bool CurrentIsSuper() const;
    int NumRelays() const;
    int NumInputs() const;

    // The name list and the name box.
    void RebuildNameList();
    void NameEdited(const QString& text);
    void NameChosen(int index);
    template <typename Change>
    void ChangeNameList(Change change);

    void TypeChosen(int type);
    void ShowMembers(int group, bool super);
    void SetGroupControlsEnabled(bool enabled);

    Configuration& config_;
    const Beeper& beeper_;
    QuestionAsker ask_;
    bool showing_ = false;  // the editor itself is setting controls

    GroupNumberField* txtGroup_ = nullptr;
    SpinButtons* spnGroup_ = nullptr;
    QLabel* lblGroup_ = nullptr;
    QComboBox* cmbName_ = nullptr;
    QComboBox* cmbInputs_ = nullptr;
    QLabel* lblSuperGroups_ = nullptr;
    QComboBox* cmbSupergroups_ = nullptr;
    QWidget* header_ = nullptr;
    QGroupBox* GroupTypeFrame_ = nullptr;
    QButtonGroup* typeOptions_ = nullptr;
    std::array<QRadioButton*, 2> GroupTypeSel_{};
    QGroupBox* fraMaintainedPriority_ = nullptr;
    QButtonGroup* priorityOptions_ = nullptr;
    std::array<QRadioButton*, 4> GroupPrioritySel_{};
    QCheckBox* GroupOverrideSel_ = nullptr;
    QCheckBox* FlashControl_ = nullptr;
    QGroupBox* GroupChildren_ = nullptr;
    std::array<QCheckBox*, kMemberCount + 1> chkMember_{};
    QPushButton* cmdAddAll_ = nullptr;
    QPushButton* cmdRemoveAll_ = nullptr;
    QPushButton* cmdInvert_ = nullptr;
    QPushButton* cmdDone_ = nullptr;
    HintLine* lblInfo_ = nullptr;
    QMenu* mnuZone_ = nullptr;
    QAction* setAllSuper_ = nullptr;
    // The controls of the current group (all but number, Done and menu).
    std::vector<QWidget*> groupControls_;
};

}  // namespace kvtk
