#pragma once
// What the Device and File commands, their dialogs and the operation host
// see of the main window: the one configuration, the shared beep and spin
// tick, its questions, and the few ways they change what it shows. They hold
// this instead of the window itself, so that the window and the commands it
// owns do not include each other.

#include <QString>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/conversions.h"
#include "model/products.h"
#include "ui/widgets/beeper.h"

class QMenu;
class QWidget;

namespace kvtk {

class EditCommands;
class FileCommands;

class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;

    // The window as a widget: the parent of dialogs, its caption, enabling.
    virtual QWidget& Widget() = 0;
    virtual Configuration& Config() = 0;
    virtual const Beeper& GetBeeper() const = 0;
    virtual SpinTick& SpinTicker() = 0;
    // A yes/no question box; true for Yes.
    virtual bool Ask(const QString& title, const QString& text) const = 0;

    // Ends an edit in progress so the configuration holds checked values.
    virtual void CommitEdits() = 0;
    // Every field, list and input row from the configuration.
    virtual void ShowConfiguration() = 0;
    // Only the panel-wide fields (a read repaints them as it goes).
    virtual void ShowPanelValues() = 0;
    // The input rows from input 1 on.
    virtual void ShowFirstInputs() = 0;

    virtual void SetIdentity(const ProductIdentity& identity) = 0;
    // The status frame shows it as "Online" with its port or "Offline".
    virtual void SetConnection(const PanelConnection& connection) = 0;
    virtual void SetMemoryCheck(const std::string& eprom, const std::string& eeprom) = 0;
    // The address field, the status caption and the address table's name.
    virtual void SetAddress(int address) = 0;
    virtual int Address() const = 0;
    // The file header last read; it can make version comparisons equal.
    virtual void SetLastFileHeader(std::optional<FileHeaderInfo> header) = 0;

    // The status line's progress bar while an operation runs: step n of N
    // and the time left. An empty text hides it.
    virtual void ShowOperationProgress(const std::string& text, int percent) = 0;

    // The whole menu bar, while a panel command runs.
    virtual void SetMenusEnabled(bool enabled) = 0;
    // An entry of Input > "Set All As Type..." (index = input type).
    virtual void SetSetAllTypeEnabled(int type, bool enabled) = 0;
    virtual QMenu& FileMenu() = 0;
    // The File menu's commands (their file dialogs serve other commands too).
    virtual FileCommands& Files() = 0;
    // Undo and redo: a command that changes the configuration opens a step.
    virtual EditCommands& Edit() = 0;

protected:
    MainWindowAccess() = default;
    MainWindowAccess(const MainWindowAccess&) = default;
    MainWindowAccess& operator=(const MainWindowAccess&) = default;
};

}  // namespace kvtk
