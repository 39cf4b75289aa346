#pragma once
// The connect dialog: how panels are reached (offline, COM1..COM4 or the
// Glintora relay server) and which panel the main window works with. Online
// it reads one address or scans them all; offline it offers the product
// catalogue. OK hands the choice to the main window.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "model/panel_connection.h"
#include "ui/main/frmMain.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace kvtk {

class FoundPanelsList;
class PanelAddressField;
class HintLine;
class PanelLine;
class SpinButtons;

class frmConnect : public QDialog {
    Q_OBJECT
public:
    // The choices optCommPort 0..5.
    enum Choice { kOffline = 0, kInternet = 5 };
    // A text prompt: the text entered, nothing when cancelled.
    using TextPrompt =
        std::function<std::optional<QString>(const QString& title, const QString& text)>;

    // The dialog reads the line's port list and state; the connections it
    // chooses are applied by whoever takes connectionChosen.
    frmConnect(frmMain& main, PanelLine& line, QWidget* parent = nullptr);
    ~frmConnect() override;

    // The selected choice, 0..5.
    int ChoiceIndex() const;
    // What OK hands over.
    ConnectChoice Choice() const;
    // The value of the address field.
    int Address() const;
    bool Scanning() const { return scanning_; }

    void SetTextPrompt(TextPrompt prompt) { textPrompt_ = std::move(prompt); }

    // Selects the offline choice (the main window went offline elsewhere).
    void SelectOffline();
    // Takes the choice and address of an earlier run; a port that is not
    // there now leaves the offline choice. `portName`, the port's stable name
    // (or device) then, chooses the slot that has that device now, whatever
    // its number was.
    void RestoreChoice(int n, int address, const QString& portName = {});
    // The chosen port's name to remember: its stable /dev/serial/by-id name,
    // else its device; empty when no port is chosen.
    QString ChosenPortName() const;
    // Ticks the update box: the catalogue entry that fits the main window's
    // identity is selected and the box is cleared again.
    void UpdateCatalogueFromMain();

    // Widgets, for the program and tests.
    QRadioButton* CommPortOption(int n) const { return optCommPort_.at(static_cast<size_t>(n)); }
    QLineEdit* txtAddress() const;
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdRead() const { return cmdRead_; }
    QPushButton* cmdScan() const { return cmdScan_; }
    QCheckBox* chkQuick() const { return chkQuick_; }
    QPushButton* cmdConnect() const { return cmdConnect_; }
    QLineEdit* txtHost() const { return txtHost_; }
    QLineEdit* txtUser() const { return txtUser_; }
    QLabel* lblNewStatus() const { return lblNewStatus_; }
    QLabel* lblCurrentStatus() const { return lblCurrentStatus_; }
    QLabel* lblProductType() const { return lblProductType_; }
    // Why ports cannot be used and what to do; hidden when all can.
    QLabel* lblPortAccess() const { return lblPortAccess_; }
    FoundPanelsList* lstFound() const { return lstFound_; }
    QPushButton* cmdSite() const { return cmdSite_; }
    QComboBox* cmbProductType() const { return cmbProductType_; }
    HintLine& Hints() const { return *lblInfo_; }
    QGroupBox* OfflinePanel() const { return fraOffline_; }

signals:
    // A connection option was chosen; it is applied before this returns.
    void connectionChosen(const PanelConnection& choice);
    // OK was pressed and the main window has taken the choice.
    void choiceAccepted();
    // The close box was used while the main window was hidden.
    void programEndRequested();
    // "FactoryMode" was entered at the product-code prompt.
    void productCodeRequested();
    // "Site..." beside the found panels: the Site window opens.
    void siteRequested();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void reject() override;

private:
    void BuildWidgets();
    void RegisterHints();
    void Load();
    void ChooseConnection(int n);
    void ShowPanel(QGroupBox* panel);
    void EnablePresentPorts();
    void RefreshAddressStatus();
    void SetNewStatus(const QString& text, bool alert);
    void ReadThisAddress();
    void ScanOrStop();
    void ConnectRelay();
    void OnLoginFinished(bool authenticated);
    void OnSocketError(const QString& message);
    void OnServerClosed();
    void Accept();
    void AskProductCode();
    void SetBusyControls(bool busy);
    int AddressMinimum() const;

    frmMain& main_;
    PanelLine& line_;
    TextPrompt textPrompt_;
    bool scanning_ = false;
    bool reading_ = false;
    bool centred_ = false;
    QGroupBox* shownPanel_ = nullptr;

    std::array<QRadioButton*, 6> optCommPort_{};
    std::array<QLabel*, 6> lblPortName_{};  // what is behind COM1..COM4
    QButtonGroup* choices_ = nullptr;
    QGroupBox* fraPort_ = nullptr;
    QWidget* addressRow_ = nullptr;
    PanelAddressField* txtAddress_ = nullptr;
    SpinButtons* spnAddress_ = nullptr;
    QGroupBox* fraOffline_ = nullptr;
    QVBoxLayout* offlineLayout_ = nullptr;
    QComboBox* cmbProductType_ = nullptr;
    QCheckBox* chkUpdate_ = nullptr;
    QGroupBox* fraOnline_ = nullptr;
    QVBoxLayout* onlineLayout_ = nullptr;
    QPushButton* cmdRead_ = nullptr;
    QPushButton* cmdScan_ = nullptr;
    QCheckBox* chkQuick_ = nullptr;
    QLabel* lblProductType_ = nullptr;
    FoundPanelsList* lstFound_ = nullptr;
    QPushButton* cmdSite_ = nullptr;
    QGroupBox* fraRelay_ = nullptr;
    QLineEdit* txtHost_ = nullptr;
    QLineEdit* txtUser_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* cmdConnect_ = nullptr;
    QLabel* lblCurrentStatus_ = nullptr;
    QLabel* lblNewStatus_ = nullptr;
    QLabel* lblPortAccess_ = nullptr;
    HintLine* lblInfo_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace kvtk
