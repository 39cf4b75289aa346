#include "ui/main/edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

#include "ui/main/frmMain.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

EditCommands::Scope::Scope(EditCommands& edit, QString stepName)
    : edit_(edit), name_(std::move(stepName)) {
    edit_.window_.CommitEdits();  // an edit in progress is a step of its own
    ++edit_.openScopes_;
}

EditCommands::Scope::~Scope() {
    if (--edit_.openScopes_ == 0) edit_.Record(name_);
}

EditCommands::EditCommands(frmMain& window, QMenu& editMenu)
    : QObject(&window),
      window_(window),
      history_(window.Config()),
      undo_(editMenu.addAction(QStringLiteral("&Undo"))),
      redo_(editMenu.addAction(QStringLiteral("&Redo"))) {
    undo_->setObjectName(QStringLiteral("mnuEditUndo"));
    redo_->setObjectName(QStringLiteral("mnuEditRedo"));
    undo_->setShortcuts(QKeySequence::Undo);
    // Both usual redo keys, whatever the platform lists first.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key)) redoKeys << key;
    redo_->setShortcuts(redoKeys);
    connect(undo_, &QAction::triggered, this, &EditCommands::Undo);
    connect(redo_, &QAction::triggered, this, &EditCommands::Redo);
    // A field's edit is complete when the focus leaves it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old && window_.centralWidget() && window_.centralWidget()->isAncestorOf(old))
            RecordFieldEdit(old);
    });
    WatchFields();
    UpdateActions();
}

void EditCommands::WatchFields() {
    QWidget* area = window_.centralWidget();
    if (!area) return;
    // A choice in a list and a click on a box are finished edits; typing is
    // an edit in progress, which Undo takes as a step of its own.
    for (QComboBox* list : area->findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, [this, list] { RecordFieldEdit(list); });
    for (QAbstractButton* box : area->findChildren<QCheckBox*>())
        connect(box, &QAbstractButton::clicked, this, [this, box] { RecordFieldEdit(box); });
    for (QLineEdit* field : area->findChildren<QLineEdit*>()) {
        connect(field, &QLineEdit::textEdited, this, &EditCommands::UpdateActions);
        field->installEventFilter(this);
    }
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    // A text field keeps Ctrl+Z for its own typing otherwise; here the
    // keys belong to the window's steps.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrlY = key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier;
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) || ctrlY)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool EditCommands::EditPending() const {
    return openScopes_ == 0 && !moving_ && !SameDocument(window_.Config(), history_.Recorded());
}

QString EditCommands::FieldName(const QWidget* field) const {
    for (const QWidget* w = field; w && w != window_.centralWidget(); w = w->parentWidget())
        if (!w->accessibleName().isEmpty()) return QStringLiteral("Edit of ") + w->accessibleName();
    return QStringLiteral("Edit");
}

void EditCommands::RecordFieldEdit(const QWidget* field) {
    if (openScopes_ > 0 || moving_) return;  // part of the running command
    Record(FieldName(field ? field : QApplication::focusWidget()));
}

void EditCommands::Record(const QString& stepName) {
    if (moving_) return;
    if (history_.Record(window_.Config(), ToCoreText(stepName))) UpdateActions();
}

void EditCommands::DeviceChanged() {
    if (SameDocument(window_.Config(), history_.Recorded())) return;
    history_.Reset(window_.Config());
    UpdateActions();
}

void EditCommands::Undo() {
    Move(true);
}

void EditCommands::Redo() {
    Move(false);
}

void EditCommands::Move(bool undo) {
    if (openScopes_ > 0 || moving_) return;
    window_.CommitEdits();  // an edit in progress is undone first
    Configuration& config = window_.Config();
    const ProductIdentity shown = config.Identity;
    if (!(undo ? history_.Undo(config) : history_.Redo(config))) return;
    moving_ = true;
    if (!(config.Identity == shown)) {
        // The product rules and the windows follow the identity; the values
        // are then put back exactly as they were.
        const Configuration restored = config;
        config.Identity = shown;
        window_.SetIdentity(restored.Identity);
        config = restored;
    }
    window_.ShowConfiguration();
    history_.Accept(config);
    moving_ = false;
    UpdateActions();
}

void EditCommands::UpdateActions() {
    const bool pending = EditPending();
    undo_->setEnabled(history_.CanUndo() || pending);
    redo_->setEnabled(history_.CanRedo() && !pending);
    const QString undoName =
        pending ? FieldName(QApplication::focusWidget()) : ToQString(history_.UndoName());
    undo_->setText((QStringLiteral("&Undo ") + undoName).trimmed());
    redo_->setText((QStringLiteral("&Redo ") + ToQString(history_.RedoName())).trimmed());
}

}  // namespace kvtk
