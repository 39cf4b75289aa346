#pragma once
// The operations' host for the command line: progress on standard error
// only when asked for, questions answered by the command's options, and
// timed waits run in an event loop woken by a timer.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "transfer/operations/operation_host.h"

namespace kvtk::cli {

class CliHost : public OperationHost {
public:
    CliHost(std::ostream& err, bool verbose) : err_(err), verbose_(verbose) {}

    // The answer to every yes/no question (the command itself confirms).
    void SetYesAnswer(bool yes) { yes_ = yes; }
    // Shortens the saving wait to this many milliseconds.
    void SetSavingWaitMs(std::optional<int> ms) { savingWaitMs_ = ms; }

    // The progress lines say enough; the events print nothing.
    void Started(const OperationStarted&) override {}
    void StepDone(const OperationStep&) override {}
    void Finished(const OperationFinished&) override {}
    void ShowResponseDescription(const std::string& text) override;
    void ShowStatusLine(const std::string& text, LineTone tone) override;
    // A yes/no question takes the answer set; any other box is cancelled.
    MessageAnswer Ask(const MessageRequest& request) override;
    void ShowMessage(const std::string& text) override;
    void Beep() override {}
    void Wait(const TimedWait& wait) override;

    const std::vector<std::string>& Messages() const { return messages_; }
    const std::vector<TimedWait>& RequestedWaits() const { return waits_; }
    const std::string& StatusLine() const { return statusLine_; }

private:
    void Progress(const std::string& text);

    std::ostream& err_;
    bool verbose_;
    bool yes_ = true;
    std::optional<int> savingWaitMs_;
    std::vector<std::string> messages_;
    std::vector<TimedWait> waits_;
    std::string statusLine_;
};

// Runs the event loop for `ms` milliseconds, woken by a single-shot timer.
void WaitInEventLoop(int ms);

}  // namespace kvtk::cli
