#pragma once
// The operations' host for the command line: progress on standard error
// only when asked for, questions answered by the command's options, and
// timed waits run in an event loop woken by a timer.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "transfer/operations/operation_host.h"
#include "transfer/operations/time_left.h"

namespace kvtk::cli {

class CliHost : public OperationHost {
public:
    CliHost(std::ostream& err, bool verbose) : err_(err), verbose_(verbose) {}

    // The answer to every yes/no question (the command itself confirms).
    void SetYesAnswer(bool yes) { yes_ = yes; }
    // Shortens the saving wait to this many milliseconds.
    void SetSavingWaitMs(std::optional<int> ms) { savingWaitMs_ = ms; }

    // Standard error is a terminal: the step line updates in place.
    void SetTerminal(bool terminal) { terminal_ = terminal; }

    // With -v: "Read: Step 12 of 253, about 25 s left", one line updated
    // in place on a terminal, plain lines (at most one a second) otherwise.
    void Started(const OperationStarted& event) override;
    void StepDone(const OperationStep& event) override;
    void Finished(const OperationFinished& event) override;
    // The same line for a scan: `done` of `total` addresses.
    void ScanStarted();
    void ScanProgress(int done, int total);
    void ScanFinished() { EndStepLine(); }
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
    void ShowStepLine(const std::string& label, bool last);
    void EndStepLine();

    std::ostream& err_;
    bool verbose_;
    bool yes_ = true;
    std::optional<int> savingWaitMs_;
    std::vector<std::string> messages_;
    std::vector<TimedWait> waits_;
    std::string statusLine_;
    bool terminal_ = false;
    TimeLeftEstimate timeLeft_;
    std::chrono::steady_clock::time_point lastLine_{};
    size_t shownWidth_ = 0;  // of the step line on the terminal, 0 when none is shown
};

// Runs the event loop for `ms` milliseconds, woken by a single-shot timer.
void WaitInEventLoop(int ms);

}  // namespace kvtk::cli
