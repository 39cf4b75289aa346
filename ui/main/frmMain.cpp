#include "ui/main/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/device/device_commands.h"
#include "ui/device/frmSpecialOptions.h"
#include "ui/files/file_commands.h"
#include "ui/files/names_commands.h"
#include "ui/groups/frmGroupSetup.h"
#include "ui/live/live_commands.h"
#include "ui/main/edit_commands.h"
#include "ui/main/frmAbout.h"
#include "ui/main/input_editor.h"
#include "ui/main/settings_editor.h"
#include "ui/widgets/group_number_field.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

const char* const kExitTitle = "Exit ?";
const char* const kExitText =
    "If settings have been changed you should save them to a file and/or write them to a "
    "device.\n\nAre you sure you want to exit the KV programmer?";

QString VersionLine() {
    return QStringLiteral("KV-TK Version ") + QString::fromLatin1(kProgramVersion) +
           QStringLiteral(" ") + QString::fromLatin1(kMakerNotice);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kProductName) + QStringLiteral(" V") +
                   QString::fromLatin1(kProgramVersion));
    ask_ = [this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };

    auto* central = new QWidget;
    hints_ = new HintLine;
    hints_->setObjectName(QStringLiteral("lblInfo"));
    hints_->setText(VersionLine());
    settings_ = new PanelSettingsEditor(config_, beeper_, spinTick_, *hints_);
    inputs_ = new InputEditor(config_, beeper_, spinTick_, *hints_);
    hints_->Register(hints_, QStringLiteral("Move the pointer over a control to have information "
                                            "about it displayed here."));
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(settings_);
    layout->addWidget(inputs_, 1);
    layout->addWidget(hints_);
    setCentralWidget(central);
    lblOperation_ = new QLabel;
    lblOperation_->setObjectName(QStringLiteral("lblOperation"));
    gauOperation_ = new QProgressBar;
    gauOperation_->setObjectName(QStringLiteral("gauOperation"));
    gauOperation_->setAccessibleName(QStringLiteral("Operation progress"));
    gauOperation_->setRange(0, 100);
    gauOperation_->setMaximumWidth(200);
    statusBar()->addPermanentWidget(lblOperation_);
    statusBar()->addPermanentWidget(gauOperation_);
    ShowOperationProgress("", 0);

    connect(settings_, &PanelSettingsEditor::inputCountLeft, this, &frmMain::RefreshInputs);
    connect(settings_, &PanelSettingsEditor::addressDoubleClicked, this,
            &frmMain::addressChangeRequested);
    connect(settings_, &PanelSettingsEditor::statusDoubleClicked, this,
            &frmMain::connectDialogRequested);

    connect(inputs_, &InputEditor::groupSetupRequested, this, &frmMain::OpenGroupSetupOn);

    BuildMenus();
    files_ = new FileCommands(*this);
    connect(device_, &DeviceCommands::selectRequested, this, &frmMain::connectDialogRequested);
    connect(this, &frmMain::addressChangeRequested, device_, &DeviceCommands::ChangeAddress);
    connect(this, &frmMain::connectionChanged, device_, &DeviceCommands::FollowConnection);
    new NamesCommands(*this);
    ShowConfiguration();
}

frmMain::~frmMain() {
    // The history follows the focus; it must stop before the widgets go.
    delete edit_;
    edit_ = nullptr;
}

void frmMain::BuildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = fileMenu_->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    editMenu->setObjectName(QStringLiteral("mnuEdit"));
    edit_ = new EditCommands(*this, *editMenu);

    deviceMenu_ = menuBar()->addMenu(QStringLiteral("&Device"));
    deviceMenu_->setObjectName(QStringLiteral("mnuDevice"));
    device_ = new DeviceCommands(*this, *deviceMenu_);

    inputMenu_ = menuBar()->addMenu(QStringLiteral("&Input"));
    inputMenu_->setObjectName(QStringLiteral("mnuInput"));
    // Each submenu is a command array: the index of an entry is its position.
    auto addArray = [this](const char* title, const char* name, const QStringList& entries,
                           std::function<void(InputEditor&, int)> command) {
        QMenu* sub = inputMenu_->addMenu(QString::fromLatin1(title));
        sub->setObjectName(QString::fromLatin1(name));
        std::vector<QAction*> actions;
        for (int index = 0; index < entries.size(); ++index) {
            QAction* action = sub->addAction(entries[index]);
            action->setObjectName(
                QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(index));
            const QString step = QString::fromLatin1(title).remove(QStringLiteral("..."));
            connect(action, &QAction::triggered, this, [this, command, index, step] {
                const auto undoStep = edit_->Step(step);
                command(*inputs_, index);
            });
            actions.push_back(action);
        }
        return actions;
    };
    const auto types =
        addArray("Set All As Type...", "mnuInputSetAllType",
                 {QStringLiteral("&Maintained"), QStringLiteral("Momentary &On"),
                  QStringLiteral("Momentary O&ff"), QStringLiteral("Momentary On&/Off"),
                  QStringLiteral("&Linked On"), QStringLiteral("&State Change")},
                 &InputEditor::SetAllType);
    std::copy(types.begin(), types.end(), setAllType_.begin());
    addArray("Set Polarity For All To...", "mnuInputSetAllPolarity",
             {QStringLiteral("Normally &Open"), QStringLiteral("Normally &Closed")},
             &InputEditor::SetAllPolarity);
    addArray("Set All For Timer...", "mnuInputSetAllTimer",
             {QStringLiteral("&0 (none)"), QStringLiteral("&1"), QStringLiteral("&2"),
              QStringLiteral("&3")},
             &InputEditor::SetAllTimer);
    addArray("Set All For...", "mnuInputSetAllFlash",
             {QStringLiteral("&No Flash"), QStringLiteral("&Flash")}, &InputEditor::SetAllFlash);
    addArray("Auto Assign Groups To Inputs...", "mnuInputAutoAssignGroups",
             {QStringLiteral("&Do Not Change The Input Name"),
              QStringLiteral("&Copy Group Name To Input")},
             &InputEditor::AutoAssignGroups);
    addArray("Create Default Names For All...", "mnuInputSetDefault",
             {QStringLiteral("&As \"Input n\""), QStringLiteral("&Copy Name From Assigned Group")},
             &InputEditor::CreateDefaultNames);
    live_ = new LiveCommands(config_, device_->Host(), *this);
    // Each command finishes the edit in progress first: the views read the
    // address and the calibration from the configuration.
    auto addLive = [this](QMenu* menu, const char* caption, const char* name,
                          std::function<void()> command) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
            CommitEdits();
            command();
        });
        return action;
    };
    inputMenu_->addSeparator();
    inputView_ = addLive(inputMenu_, "&View Current States", "mnuInputView",
                         [this] { live_->ViewInputs(); });

    groupMenu_ = menuBar()->addMenu(QStringLiteral("&Group"));
    groupMenu_->setObjectName(QStringLiteral("mnuGroup"));
    QAction* groupSetup = groupMenu_->addAction(QStringLiteral("&Setup"));
    groupSetup->setObjectName(QStringLiteral("mnuGroupSetup"));
    connect(groupSetup, &QAction::triggered, this, &frmMain::OpenGroupSetup);
    groupViewModify_ = addLive(groupMenu_, "View/Modify Current States", "mnuGroupViewModify",
                               [this] { live_->ViewGroups(); });

    otherMenu_ = menuBar()->addMenu(QStringLiteral("&Other"));
    otherMenu_->setObjectName(QStringLiteral("mnuOther"));
    specialOptions_ = otherMenu_->addAction(QStringLiteral("&Special Options"));
    specialOptions_->setObjectName(QStringLiteral("mnuOtherSpecialOptions"));
    connect(specialOptions_, &QAction::triggered, this, &frmMain::OpenSpecialOptions);
    checkBadRelays_ = addLive(otherMenu_, "Check For Bad Relays", "mnuOtherCheckBadRelays",
                              [this] { live_->CheckBadRelays(); });
    EnableCommands();

    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, [this] {
        frmAbout box(this);
        box.exec();
    });
}

frmSpecialOptions& frmMain::SpecialOptions() {
    if (!specialOptionsDialog_)
        specialOptionsDialog_ = new frmSpecialOptions(config_.Panel.SpecialOptions, this);
    return *specialOptionsDialog_;
}

void frmMain::OpenSpecialOptions() {
    if (!specialOptions_->isEnabled()) return;
    frmSpecialOptions& dialog = SpecialOptions();
    dialog.show();  // modal; the main window waits without a nested loop
    dialog.raise();
    dialog.activateWindow();
}

frmGroupSetup& frmMain::GroupSetup() {
    if (!groupSetup_) {
        groupSetup_ = new frmGroupSetup(
            config_, beeper_, spinTick_,
            [this](const QString& title, const QString& text) { return Ask(title, text); }, this);
        // Done and the close box both end here.
        connect(groupSetup_, &QDialog::finished, this, &frmMain::RebuildGroupNameLists);
        connect(groupSetup_, &QDialog::finished, edit_,
                [this] { edit_->Record(QStringLiteral("Group Setup")); });
    }
    return *groupSetup_;
}

void frmMain::OpenGroupSetup() {
    CommitEdits();
    frmGroupSetup& editor = GroupSetup();
    editor.show();  // modal; the main window waits without a nested loop
    editor.raise();
    editor.activateWindow();
}

void frmMain::OpenGroupSetupOn(const QString& groupNumberText) {
    GroupSetup().txtGroup()->setText(groupNumberText);
    OpenGroupSetup();
}

bool frmMain::Ask(const QString& title, const QString& text) const {
    return ask_(title, text);
}

void frmMain::ApplyConnectChoice(const ConnectChoice& choice) {
    const ProductIdentity& wanted = choice.Product;
    const ProductIdentity shown = config_.Identity;
    if (!choice.Connection.IsOnline()) {
        SetConnection(PanelConnection::Offline());
        SetAddress(choice.Address);
        const ModelMatch match = ProductMatch(shown.Model, wanted.Model);
        const VersionOrder order = VersionCompare(shown.Version, wanted.Version, lastFileHeader_);
        ProductIdentity next = shown;
        if (match == ModelMatch::None || order == VersionOrder::Newer) {
            next = wanted;
        } else {
            if (match == ModelMatch::FirstGeneral) next.Model = wanted.Model;
            if (order == VersionOrder::Older) next.Version = wanted.Version;
        }
        SetIdentity(next);
        SetMemoryCheck("N/A", "N/A");
    } else if (!config_.Status.IsOnline() || wanted.Model != shown.Model ||
               choice.Address != Address() ||
               VersionCompare(shown.Version, wanted.Version, lastFileHeader_) !=
                   VersionOrder::Equal) {
        SetConnection(choice.Connection);
        SetAddress(choice.Address);
        SetIdentity(wanted);
        emit panelConnected();
    }
    RefreshInputs();
    edit_->DeviceChanged();
}

void frmMain::SetIdentity(const ProductIdentity& identity) {
    const ProductIdentity next{Trim(identity.Model), Trim(identity.Version)};
    if (next.Model == config_.Identity.Model && next.Version == config_.Identity.Version) return;
    ApplyCapabilities(ApplyIdentity(config_, next));
}

void frmMain::ApplyCapabilities(const CapabilityView& view) {
    capabilities_ = view;
    settings_->ShowStatus();
    settings_->ApplyCapabilities(view);
    inputs_->ApplyCapabilities(view);
    setAllType_[kLinkedOn]->setEnabled(view.SetAllLinkedOnEnabled);
    setAllType_[kStateChange]->setEnabled(view.SetAllStateChangeEnabled);
    EnableCommands();
    emit capabilitiesApplied(view);
}

void frmMain::SetConnection(const PanelConnection& connection) {
    config_.Status.Connection = connection;
    settings_->ShowStatus();
    EnableCommands();
    emit connectionChanged(connection.IsOnline());
}

void frmMain::EnableCommands() {
    specialOptions_->setEnabled(capabilities_.SpecialOptionsEnabled);
    inputView_->setEnabled(LiveCommands::LiveViewsEnabled(config_));
    groupViewModify_->setEnabled(LiveCommands::LiveViewsEnabled(config_));
    checkBadRelays_->setEnabled(LiveCommands::BadRelayCheckEnabled(config_));
}

void frmMain::ShowOperationProgress(const std::string& text, int percent) {
    lblOperation_->setText(ToQString(text));
    gauOperation_->setValue(percent);
    lblOperation_->setVisible(!text.empty());
    gauOperation_->setVisible(!text.empty());
}

void frmMain::SetMemoryCheck(const std::string& eprom, const std::string& eeprom) {
    config_.Status.Eprom = eprom;
    config_.Status.Eeprom = eeprom;
    settings_->ShowStatus();
}

void frmMain::SetAddress(int address) {
    settings_->txtAddress()->setText(QString::number(address));
}

int frmMain::Address() const {
    return IntegerValue(config_.Panel.Address);
}

void frmMain::ShowConfiguration() {
    settings_->ShowConfiguration();
    inputs_->RebuildGroupNameLists();
    inputs_->Redraw();
}

void frmMain::ShowPanelValues() {
    settings_->ShowConfiguration();
}

void frmMain::ShowFirstInputs() {
    if (inputs_->FirstShown() != 1)
        inputs_->ShowFrom(1);
    else
        inputs_->Redraw();
}

void frmMain::SetMenusEnabled(bool enabled) {
    menuBar()->setEnabled(enabled);
}

void frmMain::SetSetAllTypeEnabled(int type, bool enabled) {
    setAllType_.at(static_cast<size_t>(type))->setEnabled(enabled);
}

void frmMain::RefreshInputs() {
    inputs_->Redraw();
}

void frmMain::RebuildGroupNameLists() {
    inputs_->RebuildGroupNameLists();
}

void frmMain::CommitEdits() {
    settings_->CommitEdits();
    inputs_->CommitEdits();
    edit_->RecordFieldEdit();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    if (!Ask(QString::fromLatin1(kExitTitle), QString::fromLatin1(kExitText))) {
        event->ignore();
        return;
    }
    event->accept();
    exiting_ = true;
    // Yes ends the program at once, with every other window.
    QApplication::closeAllWindows();
    QApplication::quit();
}

void frmMain::RestoreGeometry(const QByteArray& geometry) {
    if (!geometry.isEmpty() && restoreGeometry(geometry)) centred_ = true;
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace kvtk
