#pragma once
// The upper half of the main window: the panel-wide values of the
// configuration (name, counts, flash, relay and timer durations) and the
// communications and device status. Every edit goes into the configuration at
// once; ShowConfiguration puts the configuration back into the fields.

#include <QWidget>
#include <array>

#include "model/configuration.h"
#include "model/conversions.h"
#include "model/products.h"
#include "ui/widgets/beeper.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kvtk {

class HintLine;
class NumberField;
class SpinButtons;
class TimeField;

class PanelSettingsEditor : public QWidget {
    Q_OBJECT
public:
    PanelSettingsEditor(Configuration& config, const Beeper& beeper, SpinTick& tick,
                        HintLine& hints, QWidget* parent = nullptr);

    // Fields and status captions from the configuration.
    void ShowConfiguration();
    // Range captions, energize list and counts after the product rules ran.
    void ApplyCapabilities(const CapabilityView& view);
    // Status captions (status, port, address, type, version, EPROM, EEPROM).
    void ShowStatus();
    // Ends an edit in progress in the focused field (leave check, completion)
    // so that the configuration holds a checked value.
    void CommitEdits();

    NumberField* txtNumInputs() const { return txtNumInputs_; }
    NumberField* txtNumRelays() const { return txtNumRelays_; }
    SpinButtons* spnNumInputs() const { return spnNumInputs_; }
    SpinButtons* spnNumRelays() const { return spnNumRelays_; }
    QLineEdit* txtAddress() const { return txtAddress_; }
    QLineEdit* txtDeviceName() const { return txtDeviceName_; }
    QComboBox* cmbFlashOffTime() const { return cmbFlashOffTime_; }
    QComboBox* cmbRelayEnergize() const { return cmbRelayEnergize_; }
    QComboBox* cmbRelayRefresh() const { return cmbRelayRefresh_; }
    TimeField* txtOnTimeAfterFlash() const { return txtOnTimeAfterFlash_; }
    TimeField* txtTimerDuration(int timer) const { return txtTimerDuration_.at(timer); }
    QLabel* lblInputRange() const { return lblInputRange_; }
    QLabel* lblRelayRange() const { return lblRelayRange_; }
    QGroupBox* fraStatus() const { return fraStatus_; }
    QLabel* lblStatus() const { return lblStatus_; }
    QLabel* lblPort() const { return lblPort_; }
    QLabel* lblAddress() const { return lblAddress_; }
    QLabel* lblType() const { return lblType_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblEprom() const { return lblEprom_; }
    QLabel* lblEeprom() const { return lblEeprom_; }

signals:
    // The inputs count was left (or Enter pressed): the input editor redraws.
    void inputCountLeft();
    void addressDoubleClicked();
    // Every change of the address field (the connect dialog follows it).
    void addressChanged(const QString& address);
    void statusDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildCounts();
    QGroupBox* BuildFlashDurations();
    QGroupBox* BuildRelays();
    QGroupBox* BuildTimerDurations();
    QGroupBox* BuildStatus();
    void RegisterHints(HintLine& hints);
    QString StatusHint() const;
    QString PortHint() const;
    QString MemoryHint(const std::string& result, const QString& memory) const;
    void StoreDeviceName();
    // The address table's name of the current address is the device name.
    void RecordNameAtAddress();

    Configuration& config_;
    const Beeper& beeper_;
    SpinTick& tick_;

    QLineEdit* txtDeviceName_ = nullptr;
    QWidget* fraCounts_ = nullptr;
    NumberField* txtNumInputs_ = nullptr;
    NumberField* txtNumRelays_ = nullptr;
    SpinButtons* spnNumInputs_ = nullptr;
    SpinButtons* spnNumRelays_ = nullptr;
    QLabel* lblInputRange_ = nullptr;
    QLabel* lblRelayRange_ = nullptr;
    QLineEdit* txtAddress_ = nullptr;
    QGroupBox* fraFlash_ = nullptr;
    QComboBox* cmbFlashOffTime_ = nullptr;
    TimeField* txtOnTimeAfterFlash_ = nullptr;
    QGroupBox* fraRelays_ = nullptr;
    QComboBox* cmbRelayEnergize_ = nullptr;
    QComboBox* cmbRelayRefresh_ = nullptr;
    QGroupBox* fraTimers_ = nullptr;
    std::array<TimeField*, kTimerCount + 1> txtTimerDuration_{};
    QGroupBox* fraStatus_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblPort_ = nullptr;
    QLabel* lblAddress_ = nullptr;
    QLabel* lblType_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblEprom_ = nullptr;
    QLabel* lblEeprom_ = nullptr;
};

}  // namespace kvtk
