#include "ui/live/frmGroupCheck.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "transfer/live/group_state.h"
#include "ui/live/group_indicator.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

constexpr int kRowsPerColumn = 15;

QPushButton* MakeButton(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* MakePanel(const char* name, const QString& accessibleName) {
    auto* panel = new QLabel;
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAccessibleName(accessibleName);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setWordWrap(true);
    panel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    panel->setMinimumHeight(panel->fontMetrics().lineSpacing() * 2 + 8);
    return panel;
}

}  // namespace

frmGroupCheck::frmGroupCheck(const Configuration& config, PanelExchange& exchange, QWidget* parent)
    : LiveWindow(parent), monitor_(exchange, config) {
    setObjectName(QStringLiteral("frmGroupCheck"));
    setWindowTitle(QStringLiteral("Group Status - continuously updated"));
    StatusP_ = MakePanel("StatusP", QStringLiteral("Status"));
    OnOffP_ = MakePanel("OnOffP", QStringLiteral("Note"));
    OnOffP_->setText(QString::fromLatin1(kRelaysRemainOnNote));
    lblOptions_ = new QLabel(QString::fromLatin1(kGroupOptionsLine));
    lblOptions_->setObjectName(QStringLiteral("lblOptions"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildGroups());
    layout->addWidget(lblOptions_);
    layout->addWidget(StatusP_);
    layout->addWidget(OnOffP_);
    layout->addWidget(BuildButtons());
    ShowCaptions();
}

QWidget* frmGroupCheck::BuildGroups() {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int g = 1; g <= kGroupCount; ++g) {
        Row& r = rows_[static_cast<size_t>(g)];
        r.Indicator = new GroupIndicator(g);
        r.Number = new QLabel(QString::number(g));
        r.Number->setObjectName(QStringLiteral("lblGroup_%1").arg(g));
        r.Number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r.Number->setBuddy(r.Indicator);
        r.Name = new QLabel;
        r.Name->setObjectName(QStringLiteral("lblName_%1").arg(g));
        r.Name->setMinimumWidth(r.Name->fontMetrics().averageCharWidth() * 16);
        const int line = (g - 1) % kRowsPerColumn;
        const int column = (g - 1) / kRowsPerColumn * 3;
        grid->addWidget(r.Number, line, column);
        grid->addWidget(r.Indicator, line, column + 1);
        grid->addWidget(r.Name, line, column + 2);
        connect(r.Indicator, &GroupIndicator::statusRequested, this,
                [this](int group) { monitor_.PostStatusQuery(group); });
        connect(r.Indicator, &GroupIndicator::toggleRequested, this,
                [this](int group) { monitor_.PostToggle(group); });
        connect(r.Indicator, &GroupIndicator::focusChanged, this, &frmGroupCheck::FocusChanged);
        connect(r.Indicator, &GroupIndicator::arrowPressed, this, &frmGroupCheck::ArrowPressed);
    }
    return holder;
}

QWidget* frmGroupCheck::BuildButtons() {
    auto* holder = new QWidget;
    auto* buttons = new QHBoxLayout(holder);
    buttons->setContentsMargins(0, 0, 0, 0);
    cmdGroupOn_ = MakeButton({}, "cmdGroupOn");
    cmdGroupOff_ = MakeButton({}, "cmdGroupOff");
    cmdAllOn_ = MakeButton(QStringLiteral("Turn all groups o&n"), "cmdAllOn");
    cmdAllOff_ = MakeButton(QStringLiteral("Turn all groups o&ff"), "cmdAllOff");
    for (QPushButton* button : {cmdGroupOn_, cmdGroupOff_, cmdAllOn_, cmdAllOff_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdAutoRefresh());
    connect(cmdGroupOn_, &QPushButton::clicked, this,
            [this] { monitor_.PostGroupOn(selectedGroup_); });
    connect(cmdGroupOff_, &QPushButton::clicked, this,
            [this] { monitor_.PostGroupOff(selectedGroup_); });
    connect(cmdAllOn_, &QPushButton::clicked, this, [this] { monitor_.PostAllOn(); });
    connect(cmdAllOff_, &QPushButton::clicked, this, [this] { monitor_.PostAllOff(); });
    return holder;
}

bool frmGroupCheck::OpenView() {
    for (int g = 1; g <= kGroupCount; ++g) {
        const Row& r = row(g);
        const bool shown = monitor_.RowVisible(g);
        r.Indicator->setVisible(shown);
        r.Number->setVisible(shown);
        r.Name->setVisible(shown);
        r.Name->setText(ToQString(monitor_.RowName(g)));
    }
    if (selectedGroup_ > monitor_.MaxGroups()) selectedGroup_ = 1;
    const bool opened = monitor_.Open();
    // The selected group keeps the focus from one opening to the next.
    if (opened) picGroup(selectedGroup_)->setFocus(Qt::OtherFocusReason);
    return opened;
}

bool frmGroupCheck::RunPass() {
    monitor_.RunPass();
    return monitor_.KeepRunning();
}

void frmGroupCheck::ShowState() {
    for (int g = 1; g <= monitor_.MaxGroups(); ++g) {
        GroupIndicator::State state = GroupIndicator::State::Off;
        if (monitor_.IndicatorUnreadable(g))
            state = GroupIndicator::State::Unreadable;
        else if (monitor_.IndicatorOn(g))
            state = GroupIndicator::State::On;
        picGroup(g)->SetState(state);
    }
    StatusP_->setText(ToQString(monitor_.StatusText()));
    OnOffP_->setText(ToQString(monitor_.NoteText()));
    cmdAutoRefresh()->setText(RefreshCaption());
    if (const auto focus = monitor_.TakeServedGroup(); focus && isVisible())
        picGroup(*focus)->setFocus(Qt::OtherFocusReason);
}

bool frmGroupCheck::ViewRunning() const {
    return monitor_.Running();
}

void frmGroupCheck::FocusChanged(int group, bool focused) {
    if (focused && monitor_.RowVisible(group)) {
        focusedGroup_ = group;
        selectedGroup_ = group;
    } else if (!focused && focusedGroup_ == group) {
        focusedGroup_ = 0;
    }
    ShowRowWeight(group);
    ShowCaptions();
}

void frmGroupCheck::ShowRowWeight(int group) {
    const Row& r = row(group);
    const bool bold = group != 0 && group == focusedGroup_;
    for (QLabel* label : {r.Number, r.Name}) {
        QFont font = label->font();
        font.setBold(bold);
        label->setFont(font);
    }
}

void frmGroupCheck::ShowCaptions() {
    cmdGroupOn_->setText(ToQString(GroupOnCaption(selectedGroup_)));
    cmdGroupOff_->setText(ToQString(GroupOffCaption(selectedGroup_)));
}

void frmGroupCheck::ArrowPressed(int group, int key) {
    int step = 0;
    if (key == Qt::Key_Up) step = -1;
    if (key == Qt::Key_Down) step = 1;
    if (key == Qt::Key_Left) step = -kRowsPerColumn;
    if (key == Qt::Key_Right) step = kRowsPerColumn;
    const int target = group + step;
    if (monitor_.RowVisible(target)) picGroup(target)->setFocus(Qt::TabFocusReason);
}

}  // namespace kvtk
