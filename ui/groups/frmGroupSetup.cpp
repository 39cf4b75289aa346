#include "ui/groups/frmGroupSetup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "model/group_setup_rules.h"
#include "ui/widgets/group_number_field.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/printable_text_field.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

constexpr int kMemberColumns = 10;

QLabel* PlainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* Button(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a field must not press a button (Add all would change members).
    button->setAutoDefault(false);
    return button;
}

QString Q(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

frmGroupSetup::frmGroupSetup(Configuration& config, const Beeper& beeper, SpinTick& tick,
                             QuestionAsker ask, QWidget* parent)
    : QDialog(parent), config_(config), beeper_(beeper), ask_(std::move(ask)) {
    setObjectName(QStringLiteral("frmGroupSetup"));
    setWindowTitle(QStringLiteral("Group Setup"));
    setModal(true);

    txtGroup_ = new GroupNumberField([this] { return int{config_.Limits.MaxGroups}; }, beeper_);
    spnGroup_ = new SpinButtons(
        txtGroup_, [] { return 1; }, [this] { return int{config_.Limits.MaxGroups}; }, tick,
        beeper_, QStringLiteral("Group number"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar;
    layout->setMenuBar(menuBar);
    BuildMenu(menuBar);
    layout->addWidget(BuildHeader());
    layout->addWidget(BuildOptions());
    layout->addWidget(BuildMembers());
    layout->addWidget(BuildButtons());
    lblInfo_ = new HintLine;
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setText(QStringLiteral("Group setup info"));
    layout->addWidget(lblInfo_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    groupControls_ = {cmbName_,          cmbInputs_,      lblSuperGroups_,
                      cmbSupergroups_,   GroupTypeFrame_, fraMaintainedPriority_,
                      GroupOverrideSel_, FlashControl_,   GroupChildren_,
                      cmdAddAll_,        cmdRemoveAll_,   cmdInvert_};
    txtGroup_->setText(QStringLiteral("1"));
    connect(txtGroup_, &QLineEdit::textChanged, this, &frmGroupSetup::ShowCurrentGroup);
    RegisterHints();
}

QWidget* frmGroupSetup::BuildHeader() {
    auto* panel = new QFrame;
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    header_ = panel;
    lblGroup_ = PlainLabel(QStringLiteral("Group:"));
    lblGroup_->setObjectName(QStringLiteral("lblGroup"));
    lblGroup_->setBuddy(txtGroup_);
    txtGroup_->setObjectName(QStringLiteral("txtGroup"));
    txtGroup_->setAccessibleName(QStringLiteral("Group number"));
    spnGroup_->setObjectName(QStringLiteral("spnGroup"));
    auto* equals = PlainLabel(QStringLiteral("="));
    equals->setObjectName(QStringLiteral("Label2"));

    cmbName_ = new QComboBox;
    cmbName_->setObjectName(QStringLiteral("cmbName"));
    cmbName_->setAccessibleName(QStringLiteral("Group name"));
    cmbName_->setEditable(true);
    KeepPrintablePanelText(*cmbName_->lineEdit(), beeper_);
    cmbName_->setInsertPolicy(QComboBox::NoInsert);
    cmbName_->setCompleter(nullptr);  // typing renames; it must not complete to another name
    cmbName_->setMinimumContentsLength(20);
    cmbName_->setEditText(QStringLiteral("Group1"));
    cmbName_->lineEdit()->setAccessibleName(QStringLiteral("Group name"));
    connect(cmbName_->lineEdit(), &QLineEdit::textEdited, this, &frmGroupSetup::NameEdited);
    connect(cmbName_, &QComboBox::activated, this, &frmGroupSetup::NameChosen);

    auto* inputsLabel = PlainLabel(QStringLiteral("is assigned to the following inputs:"));
    inputsLabel->setObjectName(QStringLiteral("Label1"));
    cmbInputs_ = new QComboBox;
    cmbInputs_->setObjectName(QStringLiteral("cmbInputs"));
    cmbInputs_->setAccessibleName(QStringLiteral("Assigned inputs"));
    inputsLabel->setBuddy(cmbInputs_);
    lblSuperGroups_ = PlainLabel(QStringLiteral("It is included in the following supergroups:"));
    lblSuperGroups_->setObjectName(QStringLiteral("lblSuperGroups"));
    cmbSupergroups_ = new QComboBox;
    cmbSupergroups_->setObjectName(QStringLiteral("cmbSupergroups"));
    cmbSupergroups_->setAccessibleName(QStringLiteral("Containing supergroups"));
    lblSuperGroups_->setBuddy(cmbSupergroups_);
    for (QComboBox* list : {cmbInputs_, cmbSupergroups_}) {
        list->setMinimumContentsLength(20);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }

    auto* grid = new QGridLayout(panel);
    auto* number = new QHBoxLayout;
    number->setSpacing(2);
    number->addWidget(lblGroup_);
    number->addWidget(txtGroup_);
    number->addWidget(spnGroup_);
    number->addWidget(equals);
    number->addSpacing(4);
    number->addWidget(cmbName_, 1);
    grid->addLayout(number, 0, 0, 1, 2);
    grid->addWidget(inputsLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(cmbInputs_, 1, 1);
    grid->addWidget(lblSuperGroups_, 2, 0, Qt::AlignRight);
    grid->addWidget(cmbSupergroups_, 2, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* frmGroupSetup::BuildOptions() {
    GroupTypeFrame_ = new QGroupBox(QStringLiteral("Group Type"));
    GroupTypeFrame_->setObjectName(QStringLiteral("GroupTypeFrame"));
    typeOptions_ = new QButtonGroup(this);
    auto* typeLayout = new QVBoxLayout(GroupTypeFrame_);
    const std::array<const char*, 2> types{"&Normal", "&Super"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(Q(types[static_cast<std::size_t>(i)]));
        option->setObjectName(QStringLiteral("GroupTypeSel_%1").arg(i));
        typeOptions_->addButton(option, i);
        typeLayout->addWidget(option);
        GroupTypeSel_[static_cast<std::size_t>(i)] = option;
    }
    GroupTypeSel_[0]->setChecked(true);
    connect(typeOptions_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && !showing_) TypeChosen(id);
    });

    fraMaintainedPriority_ = new QGroupBox(QStringLiteral("Maintained Input"));
    fraMaintainedPriority_->setObjectName(QStringLiteral("fraMaintainedPriority"));
    priorityOptions_ = new QButtonGroup(this);
    auto* priorityLayout = new QGridLayout(fraMaintainedPriority_);
    auto* priorityPanel = PlainLabel(QStringLiteral("Priority"));
    priorityPanel->setObjectName(QStringLiteral("Panel3D2"));
    priorityPanel->setAlignment(Qt::AlignCenter);
    priorityPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    priorityLayout->addWidget(priorityPanel, 0, 0, 1, 2);
    const std::array<const char*, 4> priorities{"Non&e", "&On", "O&ff", "On&/Off"};
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(Q(priorities[static_cast<std::size_t>(i)]));
        option->setObjectName(QStringLiteral("GroupPrioritySel_%1").arg(i));
        priorityOptions_->addButton(option, i);
        priorityLayout->addWidget(option, 1 + i / 2, i % 2);
        GroupPrioritySel_[static_cast<std::size_t>(i)] = option;
    }
    connect(priorityOptions_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || showing_) return;
        if (GroupConfig* group = Current()) group->Priority = static_cast<int16_t>(id);
    });

    GroupOverrideSel_ = new QCheckBox(QStringLiteral("Serial on &priority"));
    GroupOverrideSel_->setObjectName(QStringLiteral("GroupOverrideSel"));
    FlashControl_ = new QCheckBox(QStringLiteral("&Flash before off"));
    FlashControl_->setObjectName(QStringLiteral("FlashControl"));
    connect(GroupOverrideSel_, &QCheckBox::toggled, this, [this](bool on) {
        if (GroupConfig* group = Current(); group && !showing_)
            group->SerialOnPriority = OnValue(on);
    });
    connect(FlashControl_, &QCheckBox::toggled, this, [this](bool on) {
        if (GroupConfig* group = Current(); group && !showing_) group->ConstantFlash = OnValue(on);
    });

    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->addWidget(GroupTypeFrame_);
    rowLayout->addWidget(fraMaintainedPriority_);
    auto* flags = new QVBoxLayout;
    flags->addStretch();
    flags->addWidget(GroupOverrideSel_);
    flags->addWidget(FlashControl_);
    flags->addStretch();
    rowLayout->addLayout(flags);
    rowLayout->addStretch();
    return row;
}

QWidget* frmGroupSetup::BuildMembers() {
    GroupChildren_ = new QGroupBox(QStringLiteral("Relays in Group"));
    GroupChildren_->setObjectName(QStringLiteral("GroupChildren"));
    auto* grid = new QGridLayout(GroupChildren_);
    grid->setHorizontalSpacing(8);
    for (int k = 1; k <= kMemberCount; ++k) {
        auto* box = new QCheckBox(QString::number(k));
        box->setObjectName(QStringLiteral("chkMember_%1").arg(k));
        box->setAccessibleName(QStringLiteral("Relay %1").arg(k));
        // Hidden boxes keep their place, so the frame does not jump.
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
        grid->addWidget(box, (k - 1) / kMemberColumns, (k - 1) % kMemberColumns);
        chkMember_[static_cast<std::size_t>(k)] = box;
        connect(box, &QCheckBox::toggled, this, [this, k](bool on) {
            if (GroupConfig* group = Current(); group && !showing_) group->SetMember(k, on);
        });
    }
    return GroupChildren_;
}

QWidget* frmGroupSetup::BuildButtons() {
    cmdAddAll_ = Button(QStringLiteral("&Add all"), "cmdAddAll");
    cmdRemoveAll_ = Button(QStringLiteral("&Remove all"), "cmdRemoveAll");
    cmdInvert_ = Button(QStringLiteral("&Invert"), "cmdInvert");
    cmdDone_ = Button(QStringLiteral("&Done"), "cmdDone");
    auto act = [this](void (*rule)(Configuration&, int)) {
        return [this, rule] {
            if (const int n = CurrentGroup()) {
                rule(config_, n);
                ShowCurrentGroup();
            }
        };
    };
    connect(cmdAddAll_, &QPushButton::clicked, this, act(&AddAllMembers));
    connect(cmdRemoveAll_, &QPushButton::clicked, this, act(&RemoveAllMembers));
    connect(cmdInvert_, &QPushButton::clicked, this, act(&InvertMembers));
    // The close box does the same: the window hides and keeps everything.
    connect(cmdDone_, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdAddAll_);
    layout->addWidget(cmdRemoveAll_);
    layout->addWidget(cmdInvert_);
    layout->addStretch();
    layout->addWidget(cmdDone_);
    return row;
}

void frmGroupSetup::BuildMenu(QWidget* menuHolder) {
    auto* bar = static_cast<QMenuBar*>(menuHolder);
    mnuZone_ = bar->addMenu(QStringLiteral("&Group"));
    mnuZone_->setObjectName(QStringLiteral("mnuZone"));
    auto addArray = [this](const char* title, const char* name, const QStringList& entries,
                           void (frmGroupSetup::*command)(int)) {
        QMenu* sub = mnuZone_->addMenu(Q(title));
        sub->setObjectName(Q(name));
        std::vector<QAction*> actions;
        for (int index = 0; index < entries.size(); ++index) {
            QAction* action = sub->addAction(entries[index]);
            action->setObjectName(QStringLiteral("%1_%2").arg(Q(name)).arg(index));
            connect(action, &QAction::triggered, this,
                    [this, command, index] { (this->*command)(index); });
            actions.push_back(action);
        }
        return actions;
    };
    setAllSuper_ =
        addArray("Set Type Of All Groups To...", "mnuZoneSetAllType",
                 {QStringLiteral("&Normal"), QStringLiteral("&Super")}, &frmGroupSetup::SetAllTypes)
            .at(1);
    addArray("Set Main. Priority For All Groups To...", "mnuZoneSetAllPriority",
             {QStringLiteral("&None"), QStringLiteral("&On"), QStringLiteral("O&ff"),
              QStringLiteral("On&/Off")},
             &frmGroupSetup::SetAllPriorities);
    addArray("Set All Groups For...", "mnuZoneSetAllSerialOn",
             {QStringLiteral("&No Serial On Priority"), QStringLiteral("&Serial On Priority")},
             &frmGroupSetup::SetAllSerialOn);
    addArray("Set All Groups To...", "mnuZoneSetAllFlash",
             {QStringLiteral("&No Flash Before Turning Off"),
              QStringLiteral("&Flash Before Turning Off")},
             &frmGroupSetup::SetAllFlash);
    auto addCommand = [this](const char* caption, const char* name,
                             void (frmGroupSetup::*command)()) {
        QAction* action = mnuZone_->addAction(Q(caption));
        action->setObjectName(Q(name));
        connect(action, &QAction::triggered, this, command);
    };
    addCommand("&Remove All Members From All Groups", "mnuZoneRemoveAllMembers",
               &frmGroupSetup::RemoveAllMembersFromAllGroups);
    addCommand("&Auto Assign Relays To Groups", "mnuZoneAutoAssign",
               &frmGroupSetup::AutoAssignRelaysToGroups);
    addCommand("&Create Default Names For All Groups", "mnuZoneCreateDefaultNames",
               &frmGroupSetup::CreateDefaultNames);
}

void frmGroupSetup::RegisterHints() {
    HintLine& hints = *lblInfo_;
    hints.Register(this, QString());  // the outer panel
    hints.Register(header_, QStringLiteral("You can select the group to edit by name or number.  "
                                           "You can also edit the name."));
    hints.Register(txtGroup_, QStringLiteral("This is the number of group you are editing."));
    connect(txtGroup_, &GroupNumberField::dragEntered, this, [this] {
        lblInfo_->setText(QStringLiteral("This is used to enter the desired group."));
    });
    hints.Register(GroupTypeFrame_, QStringLiteral("A normal group controls relays.  A "
                                                   "supergroup controls other groups."));
    hints.Register(fraMaintainedPriority_,
                   QStringLiteral("On, Off, On/Off will have higher priority than momentary "
                                  "inputs and serial commands."));
    hints.Register(
        GroupOverrideSel_,
        QStringLiteral("When set, a serial on command has higher priority than inputs."));
    hints.Register(FlashControl_, QStringLiteral("Selecting this will cause the group to flash "
                                                 "before turning off by any means."));
    hints.Register(GroupChildren_, QString());
    for (int k = 1; k <= kMemberCount; ++k) {
        hints.Register(chkMember_[static_cast<std::size_t>(k)], [this, k] {
            return CurrentIsSuper() ? QStringLiteral("Adds group %1 to this supergroup.").arg(k)
                                    : QStringLiteral("Adds relay %1 to this group.").arg(k);
        });
    }
    auto twoTexts = [this](const char* normal, const char* super) {
        return [this, normal, super] { return Q(CurrentIsSuper() ? super : normal); };
    };
    hints.Register(cmdAddAll_, twoTexts("Adds all relays to this group.",
                                        "Adds all normal groups to this supergroup."));
    hints.Register(cmdRemoveAll_, twoTexts("Removes all relays from this group.",
                                           "Removes all groups from this supergroup."));
    hints.Register(cmdInvert_,
                   twoTexts("Inverts the relay selection.", "Inverts the group selection."));
    hints.Register(cmdDone_, QStringLiteral("Click to return to main window."));
    hints.Register(lblInfo_, QStringLiteral("Move the pointer over a control to have information "
                                            "about it displayed here."));
}

int frmGroupSetup::CurrentGroup() const {
    const int32_t n = txtGroup_->Value();
    return IsEditableGroup(config_, n) ? n : 0;
}

GroupConfig* frmGroupSetup::Current() {
    const int n = CurrentGroup();
    return n ? &config_.Groups[static_cast<std::size_t>(n)] : nullptr;
}

bool frmGroupSetup::CurrentIsSuper() const {
    return IsSupergroup(config_, CurrentGroup());
}

int frmGroupSetup::NumRelays() const {
    return std::clamp<int32_t>(CountValue(config_.Panel.NumRelays), 0, kMemberCount);
}

int frmGroupSetup::NumInputs() const {
    return std::clamp<int32_t>(CountValue(config_.Panel.NumInputs), 0, kInputCount);
}

void frmGroupSetup::showEvent(QShowEvent* event) {
    Activate();
    QDialog::showEvent(event);
}

void frmGroupSetup::Activate() {
    const bool allowed = config_.Limits.SupergroupsAllowed;
    for (QWidget* w :
         std::initializer_list<QWidget*>{GroupTypeFrame_, lblSuperGroups_, cmbSupergroups_})
        w->setEnabled(allowed);
    // Without supergroups the menu must not make any either.
    setAllSuper_->setEnabled(allowed);
    RebuildNameList();
    ShowCurrentGroup();
}

template <typename Change>
void frmGroupSetup::ChangeNameList(Change change) {
    // Changing the entries must leave the text being typed, and its caret, alone.
    QLineEdit* box = cmbName_->lineEdit();
    const QString text = box->text();
    const int caret = box->cursorPosition();
    const QSignalBlocker block(cmbName_);
    change();
    // The current group's own entry stays current, so leaving the box never
    // jumps to another group of the same name.
    cmbName_->setCurrentIndex(CurrentGroup() ? cmbName_->findData(CurrentGroup()) : -1);
    box->setText(text);
    box->setCursorPosition(caret);
}

void frmGroupSetup::RebuildNameList() {
    ChangeNameList([this] {
        cmbName_->clear();
        for (const auto& entry : GroupNameEntries(config_, config_.Limits.MaxGroups))
            cmbName_->addItem(ToQString(entry.Name), entry.Group);
    });
}

void frmGroupSetup::NameEdited(const QString& text) {
    const int n = CurrentGroup();
    if (!n) return;
    ChangeNameList([this, n] {
        for (int i = cmbName_->count() - 1; i >= 0; --i)
            if (cmbName_->itemData(i).toInt() == n) cmbName_->removeItem(i);
    });
    std::string& name = config_.Groups[static_cast<std::size_t>(n)].Name;
    name = Trim(ToCoreText(text));
    if (!name.empty()) ChangeNameList([this, n, &text] { cmbName_->addItem(text, n); });
}

void frmGroupSetup::NameChosen(int index) {
    const QVariant group = cmbName_->itemData(index);
    if (!group.isValid()) return;
    const QString number = QString::number(group.toInt());
    if (txtGroup_->text() == number)
        ShowCurrentGroup();  // the box shows the entry's text; show the record again
    else
        txtGroup_->setText(number);
}

void frmGroupSetup::TypeChosen(int type) {
    const int n = CurrentGroup();
    if (!n) return;
    config_.Groups[static_cast<std::size_t>(n)].Type = static_cast<int16_t>(type);
    if (type == kSuperGroup) RemoveFromAllSupergroups(config_, n);
    ShowCurrentGroup();
}

void frmGroupSetup::SetGroupControlsEnabled(bool enabled) {
    for (QWidget* w : groupControls_) w->setEnabled(enabled);
    if (!enabled) return;
    const bool allowed = config_.Limits.SupergroupsAllowed;
    for (QWidget* w :
         std::initializer_list<QWidget*>{GroupTypeFrame_, lblSuperGroups_, cmbSupergroups_})
        w->setEnabled(allowed);
}

void frmGroupSetup::ShowCurrentGroup() {
    const int n = CurrentGroup();
    SetGroupControlsEnabled(n != 0);
    if (!n) return;  // the window keeps showing what it showed
    GroupConfig& group = config_.Groups[static_cast<std::size_t>(n)];
    const bool super = IsSupergroup(group);
    if (super) EnforceSupergroupRules(config_, n);

    // Showing the name runs the name rule: stored trimmed, entry added again.
    const QString name = ToQString(group.Name);
    cmbName_->lineEdit()->setText(name);
    NameEdited(name);

    const QScopedValueRollback<bool> guard(showing_, true);
    cmbInputs_->clear();
    for (const auto& entry : AssignedInputEntries(config_, n, NumInputs()))
        cmbInputs_->addItem(ToQString(entry));
    cmbInputs_->setCurrentIndex(cmbInputs_->count() > 0 ? 0 : -1);

    cmbSupergroups_->clear();
    if (config_.Limits.SupergroupsAllowed) {
        GroupTypeSel_[super ? 1 : 0]->setChecked(true);
        if (!super)
            for (const auto& entry : ContainingSupergroupEntries(config_, n))
                cmbSupergroups_->addItem(ToQString(entry));
        cmbSupergroups_->setCurrentIndex(cmbSupergroups_->count() > 0 ? 0 : -1);
    }

    // A priority from a file outside 0..3 shows no option.
    priorityOptions_->setExclusive(false);
    for (int i = 0; i < 4; ++i)
        GroupPrioritySel_[static_cast<std::size_t>(i)]->setChecked(group.Priority == i);
    priorityOptions_->setExclusive(true);
    GroupOverrideSel_->setChecked(IsOn(group.SerialOnPriority));
    FlashControl_->setChecked(IsOn(group.ConstantFlash));

    lblGroup_->setText(super ? QStringLiteral("Supergroup:") : QStringLiteral("Group:"));
    GroupOverrideSel_->setEnabled(!super);
    FlashControl_->setEnabled(!super && GroupFlashAllowed(config_.Identity.Version));
    GroupChildren_->setTitle(super ? QStringLiteral("Groups included in supergroup")
                                   : QStringLiteral("Relays included in group"));
    ShowMembers(n, super);
}

void frmGroupSetup::ShowMembers(int n, bool super) {
    const GroupConfig& group = config_.Groups[static_cast<std::size_t>(n)];
    const int relays = NumRelays();
    for (int k = 1; k <= kMemberCount; ++k) {
        QCheckBox* box = chkMember_[static_cast<std::size_t>(k)];
        // Hidden boxes follow the record too, so Remove all and Invert act
        // on all 60 members alike.
        box->setChecked(group.HasMember(k));
        box->setVisible(super || k <= relays);
        box->setEnabled(!super || !IsSupergroup(config_, k));
        box->setAccessibleName(
            (super ? QStringLiteral("Group %1") : QStringLiteral("Relay %1")).arg(k));
    }
}

void frmGroupSetup::SetAllTypes(int type) {
    SetAllGroupTypes(config_, static_cast<int16_t>(type));
    {
        const QScopedValueRollback<bool> guard(showing_, true);
        GroupTypeSel_.at(static_cast<std::size_t>(type))->setChecked(true);
    }
    TypeChosen(type);
}

void frmGroupSetup::SetAllPriorities(int priority) {
    SetAllGroupPriorities(config_, static_cast<int16_t>(priority));
    const QScopedValueRollback<bool> guard(showing_, true);
    GroupPrioritySel_.at(static_cast<std::size_t>(priority))->setChecked(true);
}

void frmGroupSetup::SetAllSerialOn(int value) {
    SetAllNormalSerialOn(config_, static_cast<int16_t>(value));
    // A supergroup shown keeps its flag cleared and its box unticked.
    if (CurrentGroup() && !CurrentIsSuper()) {
        const QScopedValueRollback<bool> guard(showing_, true);
        GroupOverrideSel_->setChecked(value != 0);
    }
}

void frmGroupSetup::SetAllFlash(int value) {
    SetAllNormalFlash(config_, static_cast<int16_t>(value));
    if (CurrentGroup() && !CurrentIsSuper()) {
        const QScopedValueRollback<bool> guard(showing_, true);
        FlashControl_->setChecked(value != 0);
    }
}

void frmGroupSetup::RemoveAllMembersFromAllGroups() {
    if (!ask_(QStringLiteral("Remove All?"),
              QStringLiteral("Are you sure you want to remove all members from all groups?\n"
                             "WARNING: This can not be undone!")))
        return;
    ClearAllMembersOfAllGroups(config_);
    ShowCurrentGroup();
}

void frmGroupSetup::AutoAssignRelaysToGroups() {
    if (!AutoAssignRelays(config_, NumRelays())) beeper_.Beep();  // no relay to assign
    ShowCurrentGroup();
}

void frmGroupSetup::CreateDefaultNames() {
    CreateDefaultGroupNames(config_);
    ChangeNameList([this] {
        cmbName_->clear();
        for (int g = 1; g <= kGroupCount; ++g)
            cmbName_->addItem(ToQString(config_.Groups[static_cast<std::size_t>(g)].Name), g);
    });
    ShowCurrentGroup();
}

}  // namespace kvtk
