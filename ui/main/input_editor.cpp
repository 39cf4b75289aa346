#include "ui/main/input_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <limits>

#include "model/input_rules.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/printable_text_field.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/typed_key.h"

namespace kvtk {
namespace {

int16_t ToInt16(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

QString RowName(int input, const char* what) {
    return QStringLiteral("Input %1 %2").arg(input).arg(QString::fromLatin1(what));
}

}  // namespace

InputEditor::InputEditor(Configuration& config, const Beeper& beeper, SpinTick& tick,
                         HintLine& hints, QWidget* parent)
    : QWidget(parent), config_(config), beeper_(beeper), tick_(tick) {
    rowHeight_ = std::max(QComboBox().sizeHint().height(), QLineEdit().sizeHint().height());

    fraName_ = BuildColumn(QStringLiteral("Input # - Name"), {QString()}, 2);
    fraType_ = BuildColumn(QStringLiteral("Type"), {QString()}, 1);
    fraTimer_ = BuildColumn(QStringLiteral("Timer"), {QString()}, 1);
    fraFlash_ = BuildColumn(QStringLiteral("Flash"), {QString()}, 1);
    fraPolarity_ = BuildColumn(QStringLiteral("Normally"), {QStringLiteral("Open  Closed")}, 2);
    fraGroup_ = BuildColumn(QStringLiteral("Assigned group"),
                            {QStringLiteral("By name or number"), QStringLiteral("0..60")}, 3);
    lblGroupRange_ = qobject_cast<QLabel*>(
        static_cast<QGridLayout*>(fraGroup_->layout())->itemAtPosition(0, 1)->widget());
    lblGroupRange_->setObjectName(QStringLiteral("lblGroupRange"));
    auto* setupHeading = new QLabel(QStringLiteral("Setup"));
    setupHeading->setTextFormat(Qt::PlainText);
    static_cast<QGridLayout*>(fraGroup_->layout())->addWidget(setupHeading, 0, 3);

    inputSelector_ = new QScrollBar(Qt::Vertical);
    inputSelector_->setObjectName(QStringLiteral("InputSelector"));
    inputSelector_->setAccessibleName(QStringLiteral("Inputs shown"));
    inputSelector_->setRange(1, 1);
    inputSelector_->setPageStep(kInputRows);
    inputSelector_->setFocusPolicy(Qt::StrongFocus);

    for (int r = 1; r <= kInputRows; ++r) BuildRow(r);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QGroupBox* frame : {fraName_, fraType_, fraTimer_, fraFlash_, fraPolarity_, fraGroup_})
        layout->addWidget(frame, frame == fraName_ || frame == fraGroup_ ? 1 : 0, Qt::AlignTop);
    layout->addWidget(inputSelector_);

    // Keyboard order: row by row, then the scroll bar.
    QWidget* previous = nullptr;
    for (int r = 1; r <= kInputRows; ++r) {
        const InputRow& row = rows_[static_cast<std::size_t>(r)];
        for (QWidget* w : std::initializer_list<QWidget*>{
                 row.txtInputName, row.cmbInputType, row.cmbInputTimer, row.chkInputFlash,
                 row.LinePolarityOpen, row.LinePolarityClosed, row.cmbInputGroupName,
                 row.txtInputGroupNumber, row.cmdInputGroupSetup}) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, inputSelector_);

    connect(inputSelector_, &QScrollBar::valueChanged, this, [this] { Redraw(); });
    RegisterHints(hints);
}

QGroupBox* InputEditor::BuildColumn(const QString& title, const QStringList& headings,
                                    int columns) {
    auto* frame = new QGroupBox(title);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < headings.size(); ++c) {
        auto* heading = new QLabel(headings[c]);
        heading->setTextFormat(Qt::PlainText);
        grid->addWidget(heading, 0, c, 1, c + 1 == headings.size() ? columns - c : 1);
    }
    return frame;
}

void InputEditor::BuildRow(int r) {
    InputRow& row = rows_[static_cast<std::size_t>(r)];
    auto place = [this, r](QGroupBox* frame, QWidget* w, int column) {
        w->setFixedHeight(rowHeight_);  // the rows of all columns line up
        static_cast<QGridLayout*>(frame->layout())->addWidget(w, r, column);
    };

    row.LinesInput = new QLabel;
    row.LinesInput->setTextFormat(Qt::PlainText);
    row.LinesInput->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.LinesInput->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
    row.txtInputName = new QLineEdit;
    KeepPrintablePanelText(*row.txtInputName, beeper_);
    place(fraName_, row.LinesInput, 0);
    place(fraName_, row.txtInputName, 1);

    row.cmbInputType = new QComboBox;
    row.cmbInputType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const auto& name : AllInputTypeNames()) row.cmbInputType->addItem(ToQString(name));
    place(fraType_, row.cmbInputType, 0);

    row.cmbInputTimer = new QComboBox;
    row.cmbInputTimer->setEditable(true);
    row.cmbInputTimer->setInsertPolicy(QComboBox::NoInsert);
    row.cmbInputTimer->addItems(
        {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    // Only the keys "0" to "3" (and Backspace) reach the text, pasted text too.
    row.cmbInputTimer->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-3]?")), row.cmbInputTimer));
    // Keys reach the combo box, which hands them to its line edit directly.
    row.cmbInputTimer->installEventFilter(this);
    row.cmbInputTimer->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 3 +
                                       40);
    place(fraTimer_, row.cmbInputTimer, 0);

    row.chkInputFlash = new QCheckBox;
    place(fraFlash_, row.chkInputFlash, 0);

    row.LinePolarityOpen = new QCheckBox(QStringLiteral("Open"));
    row.LinePolarityOpen->setChecked(true);
    row.LinePolarityClosed = new QCheckBox(QStringLiteral("Closed"));
    place(fraPolarity_, row.LinePolarityOpen, 0);
    place(fraPolarity_, row.LinePolarityClosed, 1);

    row.cmbInputGroupName = new QComboBox;
    row.cmbInputGroupName->setMinimumContentsLength(12);
    row.cmbInputGroupName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto minGroup = [this] { return int{config_.Limits.MinGroupNumber}; };
    auto maxGroups = [this] { return int{config_.Limits.MaxGroups}; };
    row.txtInputGroupNumber =
        new NumberField(minGroup, maxGroups, {.Minimum = true, .Maximum = true}, beeper_);
    row.spnInputGroupNumber = new SpinButtons(row.txtInputGroupNumber, minGroup, maxGroups, tick_,
                                              beeper_, RowName(r, "group number"));
    place(fraGroup_, row.cmbInputGroupName, 0);
    place(fraGroup_, row.txtInputGroupNumber, 1);
    place(fraGroup_, row.spnInputGroupNumber, 2);
    row.spnInputGroupNumber->setFixedHeight(rowHeight_);
    row.spnInputGroupNumber->UpButton()->setFixedHeight(rowHeight_ / 2);
    row.spnInputGroupNumber->DownButton()->setFixedHeight(rowHeight_ - rowHeight_ / 2);
    row.cmdInputGroupSetup = new QPushButton(QStringLiteral("..."));
    row.cmdInputGroupSetup->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                                            24);
    place(fraGroup_, row.cmdInputGroupSetup, 3);

    RelabelRow(r, r);

    connect(row.txtInputName, &QLineEdit::textChanged, this,
            [this, r](const QString& text) { InputOf(r).Name = Trim(ToCoreText(text)); });
    connect(row.cmbInputType, &QComboBox::currentIndexChanged, this, [this, r](int position) {
        if (position >= 0) TypeRule(r, position);
    });
    connect(row.cmbInputTimer, &QComboBox::currentTextChanged, this, [this, r] { TimerRule(r); });
    connect(row.chkInputFlash, &QCheckBox::toggled, this,
            [this, r](bool on) { InputOf(r).Flash = on ? 1 : 0; });
    connect(row.LinePolarityClosed, &QCheckBox::toggled, this,
            [this, r] { PolarityClosedRule(r); });
    connect(row.LinePolarityOpen, &QCheckBox::toggled, this, [this, r] { PolarityOpenRule(r); });
    connect(row.txtInputGroupNumber, &QLineEdit::textChanged, this, [this, r] { GroupRule(r); });
    connect(row.cmbInputGroupName, &QComboBox::activated, this,
            [this, r](int index) { GroupNameChosen(r, index); });
    connect(row.cmdInputGroupSetup, &QPushButton::clicked, this, [this, r] {
        emit groupSetupRequested(rows_[static_cast<std::size_t>(r)].txtInputGroupNumber->text());
    });
}

void InputEditor::RelabelRow(int r, int input) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    const QString number = QString::number(input);
    row.LinesInput->setText(number);
    row.chkInputFlash->setText(number);
    row.txtInputName->setAccessibleName(RowName(input, "name"));
    row.cmbInputType->setAccessibleName(RowName(input, "type"));
    row.cmbInputTimer->setAccessibleName(RowName(input, "timer"));
    row.chkInputFlash->setAccessibleName(RowName(input, "flash"));
    row.LinePolarityOpen->setAccessibleName(RowName(input, "normally open"));
    row.LinePolarityClosed->setAccessibleName(RowName(input, "normally closed"));
    row.cmbInputGroupName->setAccessibleName(RowName(input, "group name"));
    row.txtInputGroupNumber->setAccessibleName(RowName(input, "group number"));
    row.spnInputGroupNumber->SetAccessibleNames(RowName(input, "group number"));
    row.cmdInputGroupSetup->setAccessibleName(RowName(input, "group setup"));
}

void InputEditor::RegisterHints(HintLine& hints) {
    hints.Register(fraName_, QStringLiteral("Select the range of inputs to display."));
    hints.Register(inputSelector_, QStringLiteral("Select the range of inputs to display."));
    hints.Register(fraType_, QStringLiteral("Specify the type of the input."));
    hints.Register(fraTimer_,
                   QStringLiteral("Specify a timer (auto-off) for the input (0 = no auto-off)."));
    hints.Register(fraFlash_, QStringLiteral("Specify whether or not to flash the assigned group "
                                             "before the input turns it off."));
    hints.Register(
        fraPolarity_,
        QStringLiteral("Specify whether the input is normally open or normally closed."));
    hints.Register(fraGroup_, QStringLiteral("Determine the group controlled by the input."));
    for (int r = 1; r <= kInputRows; ++r) {
        hints.Register(rows_[static_cast<std::size_t>(r)].txtInputName,
                       QStringLiteral("This is the name for this input.  You can edit this."));
        hints.Register(rows_[static_cast<std::size_t>(r)].cmdInputGroupSetup,
                       QStringLiteral("Click to view or modify the setup of the assigned group."));
    }
}

void InputEditor::Beep() const {
    // Redrawing repeats the rules for consistency only; the user has done
    // nothing to be warned about.
    if (!redrawing_) beeper_.Beep();
}

int InputEditor::FirstShown() const {
    return inputSelector_->value();
}

void InputEditor::ShowFrom(int firstInput) {
    inputSelector_->setValue(firstInput);
}

int InputEditor::NumInputs() const {
    return std::clamp<int32_t>(CountValue(config_.Panel.NumInputs), 0, kInputCount);
}

InputConfig& InputEditor::InputOf(int row) {
    const int n = std::clamp(InputOfRow(row), 1, kInputCount);
    return config_.Inputs[static_cast<std::size_t>(n)];
}

int InputEditor::RowOf(int input) const {
    const int row = input - FirstShown() + 1;
    return row >= 1 && row <= kInputRows ? row : 0;
}

void InputEditor::Redraw() {
    const bool outer = !redrawing_;
    redrawing_ = true;
    const int count = NumInputs();
    for (int r = 1; r <= kInputRows; ++r) {
        InputRow& row = rows_[static_cast<std::size_t>(r)];
        const int n = InputOfRow(r);
        const bool shown = n >= 1 && n <= count;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 row.LinesInput, row.txtInputName, row.cmbInputType, row.cmbInputTimer,
                 row.chkInputFlash, row.LinePolarityOpen, row.LinePolarityClosed,
                 row.cmbInputGroupName, row.txtInputGroupNumber, row.spnInputGroupNumber,
                 row.cmdInputGroupSetup})
            w->setVisible(shown);
        if (!shown) continue;

        RelabelRow(r, n);
        const InputConfig& input = config_.Inputs[static_cast<std::size_t>(n)];
        row.txtInputName->setText(ToQString(input.Name));
        const int group =
            input.Group > config_.Limits.MaxGroups ? config_.Limits.MinGroupNumber : input.Group;
        row.txtInputGroupNumber->setText(QString::number(group));
        GroupRule(r);
        row.LinePolarityClosed->setChecked(input.Polarity == 1);

        // A type the product's list does not offer, or a timer outside 0..3
        // (possible from a file), shows as Momentary On or timer 0, and the
        // record follows what the row shows.
        int type = input.Type;
        if (type < 0 || type >= row.cmbInputType->count()) type = kMomentaryOn;
        if (row.cmbInputType->currentIndex() != type)
            row.cmbInputType->setCurrentIndex(type);
        else if (input.Type != type)
            TypeRule(r, type);
        int timer = input.Timer;
        if (timer < 0 || timer > kTimerCount) timer = 0;
        if (row.cmbInputTimer->currentText() != QString::number(timer))
            row.cmbInputTimer->setCurrentIndex(timer);
        else if (input.Timer != timer)
            TimerRule(r);
        row.chkInputFlash->setChecked(IsOn(input.Flash));
    }
    inputSelector_->setMinimum(config_.Limits.MinInputs);
    inputSelector_->setMaximum(count < kInputRows ? 1 : count - (kInputRows - 1));
    if (outer) redrawing_ = false;
}

void InputEditor::TypeRule(int r, int position) {
    const int n = InputOfRow(r);
    const PartnerEffect effect = ChooseInputType(config_, n, ToInt16(position), NumInputs());
    if (effect == PartnerEffect::kMissing) Beep();
    if (effect != PartnerEffect::kChanged) return;
    const int pr = RowOf(LinkedOnPartner(n));
    if (!pr) return;
    const InputRow& prow = rows_[static_cast<std::size_t>(pr)];
    if (position != kLinkedOn) {
        prow.cmbInputType->setCurrentIndex(kMomentaryOn);
        return;
    }
    prow.cmbInputType->setCurrentIndex(kLinkedOn);
    prow.cmbInputTimer->setCurrentIndex(std::clamp<int>(
        config_.Inputs[static_cast<std::size_t>(LinkedOnPartner(n))].Timer, 0, kTimerCount));
}

void InputEditor::TimerRule(int r) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    const int n = InputOfRow(r);
    const int16_t timer = ToInt16(IntegerValue(ToCoreText(row.cmbInputTimer->currentText())));
    const PartnerEffect effect = ChooseInputTimer(config_, n, timer, NumInputs());
    if (effect == PartnerEffect::kMissing) Beep();  // the value stays
    if (effect != PartnerEffect::kChanged) return;
    if (const int pr = RowOf(LinkedOnPartner(n)))
        rows_[static_cast<std::size_t>(pr)].cmbInputTimer->setCurrentIndex(
            std::clamp<int>(timer, 0, kTimerCount));
}

void InputEditor::PolarityClosedRule(int r) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    const bool closed = row.LinePolarityClosed->isChecked();
    row.LinePolarityOpen->setChecked(!closed);
    InputOf(r).Polarity = closed ? 1 : 0;
}

void InputEditor::PolarityOpenRule(int r) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    // Ticking "Closed" the other way round runs its rule, which stores.
    row.LinePolarityClosed->setChecked(!row.LinePolarityOpen->isChecked());
}

void InputEditor::GroupRule(int r) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    row.cmbInputGroupName->setCurrentIndex(-1);
    const int32_t value = row.txtInputGroupNumber->Value();
    row.cmdInputGroupSetup->setEnabled(value != 0);
    if (value != 0) SelectGroupName(r);
    InputOf(r).Group = ToInt16(value);
}

void InputEditor::SelectGroupName(int r) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    const int index = row.cmbInputGroupName->findData(int{row.txtInputGroupNumber->Value()});
    row.cmbInputGroupName->setCurrentIndex(index);
}

void InputEditor::GroupNameChosen(int r, int index) {
    const InputRow& row = rows_[static_cast<std::size_t>(r)];
    const QVariant group = row.cmbInputGroupName->itemData(index);
    if (group.isValid()) row.txtInputGroupNumber->setText(QString::number(group.toInt()));
}

void InputEditor::ApplyCapabilities(const CapabilityView& view) {
    lblGroupRange_->setText(ToQString(view.GroupRange));
    for (int r = 1; r <= kInputRows; ++r) {
        QComboBox* types = rows_[static_cast<std::size_t>(r)].cmbInputType;
        const QSignalBlocker block(types);
        const int previous = types->currentIndex();
        types->clear();
        for (const auto& name : view.InputTypes) types->addItem(ToQString(name));
        // A position the new list lacks becomes Momentary On at the redraw.
        types->setCurrentIndex(previous >= 0 && previous < types->count() ? previous
                                                                          : kMomentaryOn);
    }
    RebuildGroupNameLists();
    Redraw();
}

void InputEditor::RebuildGroupNameLists() {
    for (int r = 1; r <= kInputRows; ++r) {
        QComboBox* names = rows_[static_cast<std::size_t>(r)].cmbInputGroupName;
        names->clear();
        for (int g = 1; g <= config_.Limits.MaxGroups && g <= kGroupCount; ++g) {
            const std::string& name = config_.Groups[static_cast<std::size_t>(g)].Name;
            if (!name.empty()) names->addItem(ToQString(name), g);
        }
        names->setCurrentIndex(-1);
        if (rows_[static_cast<std::size_t>(r)].txtInputGroupNumber->Value() != 0)
            SelectGroupName(r);
    }
}

void InputEditor::SetAllType(int type) {
    SetAllInputTypes(config_, ToInt16(type));
    Redraw();
}

void InputEditor::SetAllPolarity(int polarity) {
    SetAllInputPolarities(config_, ToInt16(polarity));
    Redraw();
}

void InputEditor::SetAllTimer(int timer) {
    SetAllInputTimers(config_, ToInt16(timer));
    Redraw();
}

void InputEditor::SetAllFlash(int flash) {
    SetAllInputFlash(config_, ToInt16(flash));
    Redraw();
}

void InputEditor::AutoAssignGroups(int copyGroupNames) {
    AutoAssignInputGroups(config_, copyGroupNames == 1);
    Redraw();
}

void InputEditor::CreateDefaultNames(int fromGroups) {
    CreateDefaultInputNames(config_, fromGroups != 0);
    Redraw();
}

bool InputEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* combo = qobject_cast<QComboBox*>(watched);
    QLineEdit* timer = combo ? combo->lineEdit() : nullptr;
    if (!timer) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) {
        timer->backspace();
        timer->selectAll();
        return true;
    }
    const std::optional<QChar> typed = TypedCharacter(*key);
    if (!typed) return QWidget::eventFilter(watched, event);  // arrows, Tab, F4
    if (*typed >= QLatin1Char('0') && *typed <= QLatin1Char('3')) {
        timer->insert(QString(*typed));
        // The next key replaces the whole text.
        timer->selectAll();
    } else {
        beeper_.Beep();
    }
    return true;
}

void InputEditor::CommitEdits() {
    if (auto* field = qobject_cast<NumberField*>(focusWidget())) field->RunLeaveCheck();
}

}  // namespace kvtk
