#pragma once
// The communication window: a view of the panel line. Loaded once for the
// whole run and normally hidden; shown it is a small terminal: pick a port,
// type an address and a command, press Enter and see the reply, the
// response times and the traffic. Its fields edit the line's exchange
// settings.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kvtk {

class ExchangeSettings;
class PanelLine;
class TrafficPane;

class frmComm : public QWidget {
    Q_OBJECT
public:
    explicit frmComm(PanelLine& line, QWidget* parent = nullptr);
    ~frmComm() override;

    PanelLine& Line() { return line_; }
    TrafficPane& TrafficView() { return *trafficPane_; }
    QPushButton* cmdTraffic() const { return cmdTraffic_; }

    // Runs the command typed in the window (Enter in the command field).
    void RunManualCommand();
    // The running operation's step n of N and time left; empty clears it.
    void ShowProgress(const QString& text);
    QLabel* lblProgress() const { return lblProgress_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWidgets();
    void BindSettings();
    void BindLine();
    void ShowPortList();
    void ShowOpenPort();
    void ChoosePort();
    void ApplyFace();

    static constexpr qint64 kResponseRedrawMs = 40;

    PanelLine& line_;
    ExchangeSettings& settings_;
    QElapsedTimer responseDrawn_;  // invalid (expired) until the first drawing
    QTimer drawPause_;             // runs while the window's drawing waits
    bool centred_ = false;
    bool showingLine_ = false;  // the combo follows the line, not the user

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
    QLabel* lblProgress_ = nullptr;
    QLabel* lblResponseTimeAverage_ = nullptr;
    QLabel* lblMaxResponseTime_ = nullptr;
    QProgressBar* gauResponseTimeAverage_ = nullptr;
    QCheckBox* chkFullFace_ = nullptr;
    QGroupBox* fraSettings_ = nullptr;
    QPushButton* cmdTraffic_ = nullptr;
    TrafficPane* trafficPane_ = nullptr;
};

}  // namespace kvtk
