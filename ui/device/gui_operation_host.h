#pragma once
// The windows around a panel operation: on its progress events the port
// window, the main window's enabling, busy pointer and repaint; the running
// dialog's status line, question and message boxes, the beep, the timed
// waits ("Saving...", "Resetting..." and the one-second pause). The port
// window belongs to the communication window; the application hands its
// hooks in.

#include <QString>
#include <functional>
#include <string>

#include "transfer/operations/operation_host.h"
#include "transfer/operations/time_left.h"

class QLabel;

namespace kvtk {

class MainWindowAccess;

// What the communication window offers the operations.
struct PortWindowHooks {
    // Shows (true) or hides the port window without waiting for it.
    std::function<void(bool shown)> Show;
    // The port window's response-description line.
    std::function<void(const std::string& text)> ResponseDescription;
    // Clears what the port window shows of the last exchange.
    std::function<void()> Clear;
    // The running operation's step n of N and time left; empty clears it.
    std::function<void(const std::string& text)> Progress;
};

class GuiOperationHost : public OperationHost {
public:
    using StatusLineSink = std::function<void(const std::string& text, LineTone tone)>;
    using MessageSink = std::function<void(const QString& text)>;

    explicit GuiOperationHost(MainWindowAccess& window);

    void SetPortWindowHooks(PortWindowHooks hooks) { portWindow_ = std::move(hooks); }
    // The running dialog's status line; empty while no dialog has one.
    void SetStatusLineSink(StatusLineSink sink) { statusLine_ = std::move(sink); }
    // A sink that shows the line in `label`: red for an alert, black for
    // normal, the colour it had for unchanged.
    static StatusLineSink LabelStatusLine(QLabel& label);
    // Plain messages go through this (tests record them).
    void SetMessageSink(MessageSink sink) { message_ = std::move(sink); }
    // Caps every timed wait at this many milliseconds (tests); 0 or less
    // runs the waits at their full length.
    void SetWaitCapMs(int ms) { waitCapMs_ = ms; }
    // While set, a repaint shows the panel-wide values the operation has
    // stored so far (a read fills them in as it goes).
    void SetShowValuesOnRepaint(bool on) { showValuesOnRepaint_ = on; }

    void Started(const OperationStarted& event) override;
    void StepDone(const OperationStep& event) override;
    void Finished(const OperationFinished& event) override;
    void ShowResponseDescription(const std::string& text) override;
    void ShowStatusLine(const std::string& text, LineTone tone) override;
    // Yes/no questions are the main window's; other boxes stand over it.
    MessageAnswer Ask(const MessageRequest& request) override;
    void ShowMessage(const std::string& text) override;
    void Beep() override;
    void Wait(const TimedWait& wait) override;

private:
    int WaitMs(const TimedWait& wait) const;
    void ShowPortWindow(bool shown);
    void SetMainWindowEnabled(bool enabled);
    void SetBusyPointer(bool busy);
    void Repaint();
    void ShowProgress(OperationKind kind, bool running);

    MainWindowAccess& window_;
    PortWindowHooks portWindow_;
    StatusLineSink statusLine_;
    MessageSink message_;
    int waitCapMs_ = 0;
    bool showValuesOnRepaint_ = false;
    int busyDepth_ = 0;
    TimeLeftEstimate timeLeft_;
};

}  // namespace kvtk
