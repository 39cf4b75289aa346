#pragma once
// What the windows do around a panel operation, seen from the operation:
// progress lines, questions and plain messages, repainting and yielding,
// showing the port window, enabling the main window, beeps and timed waits.
// The GUI shows these as windows and modal timers; the command-line
// companion prints and waits; tests record them.

#include <string>

namespace kvtk {

// The timed waits the operations ask for; the host decides how to show them.
enum class WaitKind {
    WriteDisablePause,  // 1 s before "LSU" after a cancelled write
    Saving,             // the "Saving..." window while the panel writes its EEPROM
    Resetting,          // the "Resetting..." window while the panel restarts
};

struct TimedWait {
    WaitKind Kind;
    int Milliseconds;
    std::string Text;  // the window's one line; empty for the pause
};

// Colour of a dialog's status line.
enum class LineTone {
    Unchanged,  // keep the colour it has
    Normal,     // black
    Alert,      // red
};

class OperationHost {
public:
    virtual ~OperationHost() = default;

    // The port window's response-description line (a value taken, "Command
    // Accepted", "Enabled", ...). Empty clears it.
    virtual void ShowResponseDescription(const std::string& text) = 0;
    // The running dialog's own progress or status line (address change,
    // product code). Empty clears it.
    virtual void ShowStatusLine(const std::string& text, LineTone tone) = 0;

    // A yes/no question box; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    // A plain message box with the OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;

    // Runs the wait to its end (the host may shorten it only when asked to).
    virtual void Wait(const TimedWait& wait) = 0;

    virtual void ShowPortWindow(bool shown) = 0;
    virtual void SetMainWindowEnabled(bool enabled) = 0;
    virtual void SetBusyPointer(bool busy) = 0;
    // Repaints the main window.
    virtual void Repaint() = 0;
    // Lets pending window events run (repaints, the port window's cancel).
    virtual void ProcessEvents() = 0;
};

}  // namespace kvtk
