#include "ui/main/edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
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
    UpdateActions();
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
    undo_->setEnabled(history_.CanUndo());
    redo_->setEnabled(history_.CanRedo());
    undo_->setText((QStringLiteral("&Undo ") + ToQString(history_.UndoName())).trimmed());
    redo_->setText((QStringLiteral("&Redo ") + ToQString(history_.RedoName())).trimmed());
}

}  // namespace kvtk
