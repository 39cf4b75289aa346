#pragma once
// "Input Status - continuously updated": which switch inputs of the
// connected panel are activated (a ticked box per input, shown up to the
// panel's input count) and, from firmware 4.00, its analog channels scaled
// between the two calibration values. The rules and the loop are
// InputMonitor's; this window shows them and checks the calibration fields
// when they are left ("Invalid value." keeps the focus there).

#include <QString>
#include <array>
#include <functional>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/live/input_monitor.h"
#include "ui/live/live_window.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kvtk {

class frmInputCheck : public LiveWindow {
    Q_OBJECT
public:
    using MessageSink = std::function<void(const QString& text)>;

    // The calibration fields hold the configuration's UnitsAt0V / UnitsAt5V.
    frmInputCheck(Configuration& config, PanelExchange& exchange, QWidget* parent = nullptr);

    // "Invalid value." goes through this (tests record it).
    void SetMessageSink(MessageSink sink) { message_ = std::move(sink); }

    const InputMonitor& Monitor() const { return monitor_; }

    QCheckBox* InputChildSel(int input) const;
    QCheckBox* Check3D1() const { return Check3D1_; }
    QCheckBox* Check3D2() const { return Check3D2_; }
    QGroupBox* fraAnalog() const { return fraAnalog_; }
    QLabel* lblAnalog(int channel) const;
    QLineEdit* calLow() const { return calLow_; }
    QLineEdit* calHigh() const { return calHigh_; }

protected:
    bool OpenView() override;
    bool RunPass() override { return monitor_.RunPass(); }
    void StopView() override { monitor_.Stop(); }
    void ShowState() override;
    bool ViewRunning() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildInputs();
    QWidget* BuildLegend();
    QGroupBox* BuildAnalog();
    void LeaveCalibration(QLineEdit* field);

    InputMonitor monitor_;
    MessageSink message_;
    bool leaving_ = false;  // a refused calibration text is being reported
    std::array<QCheckBox*, kInputCount + 1> InputChildSel_{};
    QCheckBox* Check3D1_ = nullptr;
    QCheckBox* Check3D2_ = nullptr;
    QGroupBox* fraAnalog_ = nullptr;
    std::array<QLabel*, kAnalogChannels + 1> lblAnalog_{};
    QLineEdit* calLow_ = nullptr;
    QLineEdit* calHigh_ = nullptr;
};

}  // namespace kvtk
