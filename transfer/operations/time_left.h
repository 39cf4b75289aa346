#pragma once
// Step n of N and the time an operation still needs: the commands still to
// send at the rate measured since it started. Fed by the operations'
// progress events (or, for a scan, the addresses done); the clock is
// handed in so that tests can set the time.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "transfer/operations/operation_host.h"

namespace kvtk {

class TimeLeftEstimate {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit TimeLeftEstimate(Clock clock = &std::chrono::steady_clock::now);

    // A new operation starts now.
    void Start();
    // `done` of `total` units (commands, addresses) are done; total 0 when
    // not known. The step shown is the unit.
    void Progress(int done, int total);

    // From the events: a step's commands where it carries them, else the
    // step itself is the unit.
    void Started(const OperationStarted& event);
    void StepDone(const OperationStep& event);

    // Nothing until one unit is done and time has passed.
    std::optional<int> SecondsLeft() const;
    int Percent() const;  // 0 to 100 of the units; 0 when the total is not known
    int Step() const { return step_; }
    int Steps() const { return steps_; }
    // "Step 12 of 134, about 25 s left"; "Step 3" while nothing is known.
    std::string Text() const;

private:
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
    int done_ = 0;
    int total_ = 0;
    int step_ = 0;
    int steps_ = 0;
};

// "about 25 s left", "about 2 min 5 s left".
std::string TimeLeftText(int seconds);

}  // namespace kvtk
