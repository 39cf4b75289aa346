#pragma once
// "Group Status - continuously updated": the live on/off state of every
// group of the connected panel, with buttons to switch one group or all of
// them; a click (or Enter) on a group asks the panel why it is in its
// state, a double click (or Space) toggles it. The rules and the loop are
// GroupMonitor's; this window shows them and posts the user's requests.

#include <array>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/live/group_monitor.h"
#include "ui/live/live_window.h"

class QLabel;

namespace kvtk {

class GroupIndicator;

class frmGroupCheck : public LiveWindow {
    Q_OBJECT
public:
    // Reads the configuration's groups, limits, firmware and address at each
    // opening; changes nothing in it.
    frmGroupCheck(const Configuration& config, PanelExchange& exchange, QWidget* parent = nullptr);

    const GroupMonitor& Monitor() const { return monitor_; }

    GroupIndicator* picGroup(int group) const { return row(group).Indicator; }
    QLabel* lblGroup(int group) const { return row(group).Number; }
    QLabel* lblName(int group) const { return row(group).Name; }
    QLabel* StatusP() const { return StatusP_; }
    QLabel* OnOffP() const { return OnOffP_; }
    QPushButton* cmdGroupOn() const { return cmdGroupOn_; }
    QPushButton* cmdGroupOff() const { return cmdGroupOff_; }
    QPushButton* cmdAllOn() const { return cmdAllOn_; }
    QPushButton* cmdAllOff() const { return cmdAllOff_; }

protected:
    bool OpenView() override;
    bool RunPass() override;
    void StopView() override { monitor_.Stop(); }
    void ShowState() override;
    bool ViewRunning() const override;

private:
    struct Row {
        GroupIndicator* Indicator = nullptr;
        QLabel* Number = nullptr;
        QLabel* Name = nullptr;
    };
    const Row& row(int group) const { return rows_.at(static_cast<size_t>(group)); }

    QWidget* BuildGroups();
    QWidget* BuildButtons();
    void FocusChanged(int group, bool focused);
    void ArrowPressed(int group, int key);
    void ShowCaptions();
    void ShowRowWeight(int group);

    // The group the single-group buttons act on; kept between openings.
    int selectedGroup_ = 1;
    // The indicator with the focus, its labels bold; 0 when none.
    int focusedGroup_ = 0;

    GroupMonitor monitor_;
    std::array<Row, kGroupCount + 1> rows_{};
    QLabel* StatusP_ = nullptr;
    QLabel* OnOffP_ = nullptr;
    QPushButton* cmdGroupOn_ = nullptr;
    QPushButton* cmdGroupOff_ = nullptr;
    QPushButton* cmdAllOn_ = nullptr;
    QPushButton* cmdAllOff_ = nullptr;
    QLabel* lblOptions_ = nullptr;
};

}  // namespace kvtk
