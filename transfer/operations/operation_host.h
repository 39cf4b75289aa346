#pragma once
// What a panel operation tells its front end, seen from the operation:
// progress as events (started, a step done, finished), progress lines,
// questions through the prompter and plain messages, beeps and timed waits.
// Each front end decides what to show: the GUI its windows, the
// command-line companion its lines of text; tests record them.

#include <string>

#include "model/prompter.h"

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

// The operations that report their progress as events.
enum class OperationKind {
    Read,
    Write,
    BadRelayCheck,
    ProductCodeChange,
};

struct OperationStarted {
    OperationKind Kind;
    int Steps = 0;  // 0 when not known beforehand
};

// One step done: a register row, an input, a group.
struct OperationStep {
    OperationKind Kind;
    std::string Description;
    int Number = 0;  // 1, 2, ...
    int Of = 0;      // 0 when not known
    // Commands sent so far and in all, where the operation knows them (a
    // write); 0 where a step is one command (a read).
    int FramesSent = 0;
    int FramesOf = 0;
};

struct OperationFinished {
    OperationKind Kind;
    bool Completed = false;  // false: stopped, cancelled or refused
};

class OperationHost : public Prompter {
public:
    // Progress. Every operation that reports "started" reports "finished",
    // however it ends.
    virtual void Started(const OperationStarted& event) = 0;
    virtual void StepDone(const OperationStep& event) = 0;
    virtual void Finished(const OperationFinished& event) = 0;

    // The port window's response-description line (a value taken, "Command
    // Accepted", "Enabled", ...). Empty clears it.
    virtual void ShowResponseDescription(const std::string& text) = 0;
    // The running dialog's own progress or status line (address change,
    // product code). Empty clears it.
    virtual void ShowStatusLine(const std::string& text, LineTone tone) = 0;

    // A plain message box with the OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;

    // Runs the wait to its end (the host may shorten it only when asked to).
    virtual void Wait(const TimedWait& wait) = 0;
};

// A yes/no question with the question icon; true for Yes.
bool AskYesNo(Prompter& prompter, const std::string& title, const std::string& text);

}  // namespace kvtk
