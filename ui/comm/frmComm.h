#pragma once
// The communication window. Loaded once for the whole run and normally
// hidden, it owns the serial link and the relay connection, holds the
// exchange settings every panel command goes through, and shown it is a
// small terminal: pick a port, type an address and a command, press Enter
// and see the reply and the response times.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "comm/command_exchange.h"
#include "comm/exchange_settings.h"
#include "comm/port_slots.h"
#include "comm/relay_connection.h"
#include "comm/traffic_log.h"
#include "ui/comm/message_prompter.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kvtk {

class ByteLink;
class TrafficPane;
class TrafficTap;

class frmComm : public QWidget {
    Q_OBJECT
public:
    // Opens the line behind a slot that is not a device (the built-in
    // simulated line of the demonstration mode).
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    explicit frmComm(PortSlots portSlots, QWidget* parent = nullptr);
    ~frmComm() override;

    // Slot n (1..4) opens through `factory`; `description` is what the port
    // list shows as its device. Rescans the ports.
    void BindSlotFactory(int n, LinkFactory factory, const QString& description);

    // Finds the usable ports again ("Com" + n for each slot that opens).
    void ScanPorts();
    QStringList PortList() const;
    // The device behind slot n, as the port list shows it.
    QString SlotDevice(int n) const;

    // Selects the entry of slot n and opens its port; false when the slot is
    // not listed or its port could not be opened (the "Oops" message and a
    // fresh scan follow).
    bool SelectPort(int n);
    // Clears the selection; the port is closed.
    void ClearPortSelection();
    // The slot of the open port, 0 when none.
    int OpenSlot() const;

    CommandExchange& Exchange() { return exchange_; }
    ExchangeSettings& Settings() { return settings_; }
    RelayConnection& Relay() { return relay_; }
    MessagePrompter& Prompts() { return prompter_; }
    // Every frame sent and line received, serial and relay alike; the
    // traffic pane (hidden at first) shows it.
    TrafficLog& Traffic() { return traffic_; }
    TrafficPane& TrafficView() { return *trafficPane_; }
    QPushButton* cmdTraffic() const { return cmdTraffic_; }

    // Runs the command typed in the window (Enter in the command field).
    void RunManualCommand();

    bool FullFace() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWidgets();
    void BindSettings();
    void ChoosePort();
    void ClosePort();
    void ApplyFace();
    void ShowSlotDevice();

    static constexpr qint64 kResponseRedrawMs = 40;

    PortSlots portSlots_;
    QElapsedTimer responseDrawn_;  // invalid (expired) until the first drawing
    QTimer drawPause_;             // runs while the window's drawing waits
    std::array<LinkFactory, PortSlots::kSlotCount + 1> factories_;
    std::array<QString, PortSlots::kSlotCount + 1> factoryText_;

    ExchangeSettings settings_;
    MessagePrompter prompter_;
    CommandExchange exchange_;
    RelayConnection relay_;
    TrafficLog traffic_;
    std::unique_ptr<ByteLink> link_;
    std::unique_ptr<TrafficTap> tap_;  // link_ as the exchange uses it
    int openSlot_ = 0;
    bool centred_ = false;
    bool rebuildingList_ = false;

    QComboBox* cmbPort_ = nullptr;
    QLabel* lblPortDevice_ = nullptr;
    QLineEdit* txtAddress_ = nullptr;
    QLineEdit* txtCommandString_ = nullptr;
    QLabel* lblCommandDescription_ = nullptr;
    QLineEdit* txtAttempts_ = nullptr;
    QLineEdit* txtErrType_ = nullptr;
    QLineEdit* txtMaxResponseTime_ = nullptr;
    QCheckBox* chkBusy_ = nullptr;
    QCheckBox* chkCancel_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QLabel* lblResponseString_ = nullptr;
    QLabel* lblResponseDescription_ = nullptr;
    QLabel* lblResponseTimeAverage_ = nullptr;
    QLabel* lblMaxResponseTime_ = nullptr;
    QProgressBar* gauResponseTimeAverage_ = nullptr;
    QCheckBox* chkFullFace_ = nullptr;
    QGroupBox* fraSettings_ = nullptr;
    QPushButton* cmdTraffic_ = nullptr;
    TrafficPane* trafficPane_ = nullptr;
};

}  // namespace kvtk
