#pragma once
// The Edit menu: Undo and Redo of the one configuration. Every change is
// recorded as one step where it ends: a field edit when the focus leaves the
// field (or a command starts), a command when it returns, the group editor
// when it closes. Undo and redo only change the configuration in memory and
// redraw the window; they never talk to a panel.

#include <QObject>
#include <QString>

#include "model/config_history.h"

class QAction;
class QMenu;
class QWidget;

namespace kvtk {

class frmMain;

class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(frmMain& window, QMenu& editMenu);

    // One command's changes as one step: the edit in progress is recorded
    // first, then, when the last open scope closes, the command's change.
    class Scope {
    public:
        Scope(EditCommands& edit, QString stepName);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        EditCommands& edit_;
        QString name_;
    };
    Scope Step(const QString& stepName) { return Scope(*this, stepName); }

    // Records a field edit, named after the field that has (or had) the focus.
    void RecordFieldEdit(const QWidget* field = nullptr);
    // Records a change that ended outside a command (the group editor closing).
    void Record(const QString& stepName);
    // Another panel, or the panel at another address, is now behind the
    // configuration: the steps so far belong to the old one and are dropped.
    void DeviceChanged();

    void Undo();
    void Redo();

    const ConfigHistory& History() const { return history_; }
    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchFields();
    // The configuration differs from the last step: a field is being edited.
    bool EditPending() const;
    void Move(bool undo);
    void UpdateActions();
    QString FieldName(const QWidget* field) const;

    frmMain& window_;
    ConfigHistory history_;
    QAction* undo_;
    QAction* redo_;
    int openScopes_ = 0;
    bool moving_ = false;
};

}  // namespace kvtk
