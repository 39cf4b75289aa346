#pragma once
// The main window. It owns the one configuration for the whole run; every
// dialog and command works on it through Config(). The upper half edits the
// panel-wide values and shows the device status, the lower half edits the
// inputs, and the hint line at the bottom explains what the pointer rests on.

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/conversions.h"
#include "model/products.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/beeper.h"

class QAction;
class QMenu;

class QLabel;
class QProgressBar;

namespace kvtk {

class DeviceCommands;
class EditCommands;
class FileCommands;
class frmGroupSetup;
class frmSpecialOptions;
class HintLine;
class InputEditor;
class LiveCommands;
class PanelSettingsEditor;

// What the connect dialog hands over when the user presses OK.
struct ConnectChoice {
    PanelConnection Connection;
    int Address = 1;
    // Offline: the catalogue entry chosen (for "WQ08 Version 5.00+": WQ08,
    // "5.00+"); online: the identity the panel at the address reported.
    ProductIdentity Product;
};

class frmMain : public QMainWindow, public MainWindowAccess {
    Q_OBJECT
public:
    // Asks a yes/no question; true for Yes.
    using QuestionAsker = std::function<bool(const QString& title, const QString& text)>;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    QWidget& Widget() override { return *this; }
    Configuration& Config() override { return config_; }
    const Beeper& GetBeeper() const override { return beeper_; }
    void SetBeepSink(Beeper::Sink sink) { beeper_.SetSink(std::move(sink)); }
    SpinTick& SpinTicker() override { return spinTick_; }
    // The question boxes of the window go through this (tests answer them).
    void SetQuestionAsker(QuestionAsker asker) { ask_ = std::move(asker); }
    bool Ask(const QString& title, const QString& text) const override;

    // Takes over the connect dialog's choice (activation after its OK).
    void ApplyConnectChoice(const ConnectChoice& choice);
    // Shows an identity; a change of either text runs the product rules.
    void SetIdentity(const ProductIdentity& identity) override;
    // Whether a product is shown yet (the start-up placeholder is gone).
    bool HasProduct() const { return !config_.Identity.Model.empty(); }
    void SetConnection(const PanelConnection& connection) override;
    // Results of the memory check ("OK", "Error!", "Unknown", "N/A").
    void SetMemoryCheck(const std::string& eprom, const std::string& eeprom) override;
    void SetAddress(int address) override;
    void ShowOperationProgress(const std::string& text, int percent) override;
    QProgressBar* gauOperation() const { return gauOperation_; }
    QLabel* lblOperation() const { return lblOperation_; }
    int Address() const override;
    void SetLastFileHeader(std::optional<FileHeaderInfo> header) override {
        lastFileHeader_ = std::move(header);
    }
    const CapabilityView& Capabilities() const { return capabilities_; }
    // The geometry of an earlier run (saveGeometry); the window is then not
    // centred when first shown. Unusable data is ignored.
    void RestoreGeometry(const QByteArray& geometry);

    // After a read, an open or the group editor: every field, list and row
    // from the configuration.
    void ShowConfiguration() override;
    void ShowPanelValues() override;
    void ShowFirstInputs() override;
    // Redraws the input rows (InputSelector_Change).
    void RefreshInputs();
    void RebuildGroupNameLists();
    // Ends an edit in progress (count leave check, time completion) so the
    // configuration holds checked values; commands call it first.
    void CommitEdits() override;
    void SetMenusEnabled(bool enabled) override;
    void SetSetAllTypeEnabled(int type, bool enabled) override;

    PanelSettingsEditor& Settings() { return *settings_; }
    InputEditor& Inputs() { return *inputs_; }
    HintLine& Hints() { return *hints_; }
    QMenu& FileMenu() override { return *fileMenu_; }
    // The File menu's Open, Open Names, Save and Print.
    FileCommands& Files() override { return *files_; }
    // Undo and redo; commands that change the configuration open a step.
    EditCommands& Edit() override { return *edit_; }
    QMenu* InputMenu() const { return inputMenu_; }
    QMenu* DeviceMenu() const { return deviceMenu_; }
    QMenu* GroupMenu() const { return groupMenu_; }
    QMenu* OtherMenu() const { return otherMenu_; }
    // Other > "Special Options": enabled from firmware 2.06.
    QAction* mnuOtherSpecialOptions() const { return specialOptions_; }
    // The special options dialog, created once and hidden when closed.
    frmSpecialOptions& SpecialOptions();
    void OpenSpecialOptions();
    // The group editor, created once and hidden when closed (it keeps its
    // group number). Opening it finishes edits first; closing it rebuilds the
    // input rows' group-name lists.
    frmGroupSetup& GroupSetup();
    void OpenGroupSetup();
    // An input row's setup button: the editor opens on that group number text.
    void OpenGroupSetupOn(const QString& groupNumberText);
    // The Device menu's commands and the address change.
    DeviceCommands& Device() { return *device_; }
    // The Input menu command arrays (index = position).
    QAction* SetAllTypeAction(int index) const { return setAllType_.at(index); }
    // The live views and the bad-relay report.
    LiveCommands& Live() { return *live_; }
    QAction* mnuInputView() const { return inputView_; }
    QAction* mnuGroupViewModify() const { return groupViewModify_; }
    QAction* mnuOtherCheckBadRelays() const { return checkBadRelays_; }

signals:
    // A double click on the address field (the address change opens).
    void addressChangeRequested();
    // A double click on the status frame (the connect dialog opens again).
    void connectDialogRequested();
    // The activation went online with a new panel: the memory check and the
    // "Read configuration?" question follow.
    void panelConnected();
    void connectionChanged(bool online);
    // The product rules ran for a new identity.
    void capabilitiesApplied(const CapabilityView& view);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    void ApplyCapabilities(const CapabilityView& view);
    // The live views need a panel; the bad-relay check also a model that has
    // the register; special options a firmware that has them. Follows every
    // change of connection and product.
    void EnableCommands();

    Configuration config_;
    Beeper beeper_;
    SpinTick spinTick_;
    QuestionAsker ask_;
    std::optional<FileHeaderInfo> lastFileHeader_;
    CapabilityView capabilities_;
    bool centred_ = false;
    bool exiting_ = false;

    HintLine* hints_ = nullptr;
    QLabel* lblOperation_ = nullptr;
    QProgressBar* gauOperation_ = nullptr;
    PanelSettingsEditor* settings_ = nullptr;
    InputEditor* inputs_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    FileCommands* files_ = nullptr;
    EditCommands* edit_ = nullptr;
    QMenu* inputMenu_ = nullptr;
    QMenu* deviceMenu_ = nullptr;
    QMenu* groupMenu_ = nullptr;
    frmGroupSetup* groupSetup_ = nullptr;
    QMenu* otherMenu_ = nullptr;
    QAction* specialOptions_ = nullptr;
    frmSpecialOptions* specialOptionsDialog_ = nullptr;
    DeviceCommands* device_ = nullptr;
    std::array<QAction*, 6> setAllType_{};
    LiveCommands* live_ = nullptr;
    QAction* inputView_ = nullptr;
    QAction* groupViewModify_ = nullptr;
    QAction* checkBadRelays_ = nullptr;
};

}  // namespace kvtk
