#pragma once
// The lower half of the main window: ten rows, each editing one input (name,
// type, timer, flash, polarity, assigned group), and the scroll bar that
// chooses which ten inputs the rows show. Every edit goes into the input's
// record at once; programmatic changes of a row run the same rules as a
// user's edit, which keeps Linked On partners consistent.

#include <QWidget>
#include <array>

#include "model/configuration.h"
#include "model/conversions.h"
#include "model/products.h"
#include "ui/widgets/beeper.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kvtk {

class HintLine;
class NumberField;
class SpinButtons;

inline constexpr int kInputRows = 10;

// The controls of one row (control arrays indexed 1..10).
struct InputRow {
    QLabel* LinesInput = nullptr;  // the input number
    QLineEdit* txtInputName = nullptr;
    QComboBox* cmbInputType = nullptr;
    QComboBox* cmbInputTimer = nullptr;
    QCheckBox* chkInputFlash = nullptr;
    QCheckBox* LinePolarityOpen = nullptr;
    QCheckBox* LinePolarityClosed = nullptr;
    QComboBox* cmbInputGroupName = nullptr;
    NumberField* txtInputGroupNumber = nullptr;
    SpinButtons* spnInputGroupNumber = nullptr;
    QPushButton* cmdInputGroupSetup = nullptr;  // opens the group editor on the group
};

class InputEditor : public QWidget {
    Q_OBJECT
public:
    InputEditor(Configuration& config, const Beeper& beeper, SpinTick& tick, HintLine& hints,
                QWidget* parent = nullptr);

    // Redraws the ten rows from the records and sets the scroll range
    // (InputSelector_Change).
    void Redraw();
    // Type lists, group-name lists and the group range caption after the
    // product rules ran; then a redraw.
    void ApplyCapabilities(const CapabilityView& view);
    // Group-name lists from the group names (after an open, after the group editor).
    void RebuildGroupNameLists();

    // S, the input shown in row 1.
    int FirstShown() const;
    void ShowFrom(int firstInput);
    // The numeric value of the inputs count.
    int NumInputs() const;
    // The input row r (1..10) shows.
    int InputOfRow(int row) const { return FirstShown() + row - 1; }
    const InputRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    QScrollBar* InputSelector() const { return inputSelector_; }

    // The Input menu's commands on all input records; each ends with a redraw.
    void SetAllType(int type);
    void SetAllPolarity(int polarity);
    void SetAllTimer(int timer);
    void SetAllFlash(int flash);
    void AutoAssignGroups(int copyGroupNames);
    void CreateDefaultNames(int fromGroups);

    // Ends an edit in progress in a group number field.
    void CommitEdits();

signals:
    // A row's setup button: the group editor should open on this group number text.
    void groupSetupRequested(const QString& groupNumberText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* BuildColumn(const QString& title, const QStringList& headings, int columns);
    void BuildRow(int row);
    void RegisterHints(HintLine& hints);
    void Beep() const;

    // The rules, for row r.
    void TypeRule(int row, int position);
    void TimerRule(int row);
    void PolarityClosedRule(int row);
    void PolarityOpenRule(int row);
    void GroupRule(int row);
    void GroupNameChosen(int row, int index);
    void SelectGroupName(int row);

    InputConfig& InputOf(int row);
    // Row (1..10) showing `input`, or 0 when it is off screen.
    int RowOf(int input) const;
    void RelabelRow(int row, int input);

    Configuration& config_;
    const Beeper& beeper_;
    SpinTick& tick_;
    bool redrawing_ = false;
    int rowHeight_ = 0;

    std::array<InputRow, kInputRows + 1> rows_{};
    QScrollBar* inputSelector_ = nullptr;
    QGroupBox* fraName_ = nullptr;
    QGroupBox* fraType_ = nullptr;
    QGroupBox* fraTimer_ = nullptr;
    QGroupBox* fraFlash_ = nullptr;
    QGroupBox* fraPolarity_ = nullptr;
    QGroupBox* fraGroup_ = nullptr;
    QLabel* lblGroupRange_ = nullptr;
};

}  // namespace kvtk
