#pragma once
// The operations' host while the Site window works: progress and status in
// the window's own line, questions and messages over it, and the timed
// waits (the saving time after each write) as a countdown there, run in an
// event loop so "Stop" and the line's events keep working.

#include <QString>
#include <functional>

#include "transfer/operations/operation_host.h"
#include "ui/comm/message_prompter.h"

class QLabel;
class QWidget;

namespace kvtk {

class SiteHost : public OperationHost {
public:
    SiteHost(QWidget& window, QLabel& statusLine)
        : window_(window), status_(statusLine), prompter_(&window) {}
    // Its questions and messages (tests answer them).
    MessagePrompter& Prompts() { return prompter_; }

    // The port window's response line (the communication window's).
    void SetResponseSink(std::function<void(const std::string&)> sink) {
        response_ = std::move(sink);
    }
    // Caps every timed wait at this many milliseconds (tests).
    void SetWaitCapMs(int ms) { waitCapMs_ = ms; }

    void Started(const OperationStarted&) override {}
    void StepDone(const OperationStep& event) override;
    void Finished(const OperationFinished&) override {}
    void ShowResponseDescription(const std::string& text) override;
    void ShowStatusLine(const std::string& text, LineTone tone) override;
    MessageAnswer Ask(const MessageRequest& request) override;
    void ShowMessage(const std::string& text) override;
    void Beep() override;
    void Wait(const TimedWait& wait) override;

private:
    QWidget& window_;
    QLabel& status_;
    MessagePrompter prompter_;
    std::function<void(const std::string&)> response_;
    int waitCapMs_ = 0;
};

}  // namespace kvtk
