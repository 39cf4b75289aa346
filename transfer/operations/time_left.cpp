#include "transfer/operations/time_left.h"

#include <algorithm>
#include <cmath>

namespace kvtk {

TimeLeftEstimate::TimeLeftEstimate(Clock clock) : clock_(std::move(clock)) {
    Start();
}

void TimeLeftEstimate::Start() {
    start_ = last_ = clock_();
    done_ = total_ = step_ = steps_ = 0;
}

void TimeLeftEstimate::Progress(int done, int total) {
    done_ = std::max(done, 0);
    total_ = std::max(total, 0);
    step_ = done_;
    steps_ = total_;
    last_ = clock_();
}

void TimeLeftEstimate::Started(const OperationStarted&) {
    Start();
}

void TimeLeftEstimate::StepDone(const OperationStep& event) {
    if (event.FramesOf > 0)
        Progress(event.FramesSent, event.FramesOf);
    else
        Progress(event.Number, event.Of);
    step_ = event.Number;
    steps_ = event.Of;
}

std::optional<int> TimeLeftEstimate::SecondsLeft() const {
    using std::chrono::duration;
    const double elapsed = duration<double>(last_ - start_).count();
    if (done_ <= 0 || total_ <= 0 || elapsed <= 0) return std::nullopt;
    const double left = elapsed / done_ * std::max(total_ - done_, 0);
    return static_cast<int>(std::ceil(left - 1e-9));
}

int TimeLeftEstimate::Percent() const {
    if (total_ <= 0) return 0;
    return std::clamp(static_cast<int>(100LL * done_ / total_), 0, 100);
}

std::string TimeLeftEstimate::Text() const {
    std::string text = "Step " + std::to_string(step_);
    if (steps_ > 0) text += " of " + std::to_string(steps_);
    if (const auto left = SecondsLeft()) text += ", " + TimeLeftText(*left);
    return text;
}

std::string TimeLeftText(int seconds) {
    seconds = std::max(seconds, 0);
    if (seconds < 60) return "about " + std::to_string(seconds) + " s left";
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    return "about " + std::to_string(minutes) + " min" +
           (rest > 0 ? " " + std::to_string(rest) + " s" : "") + " left";
}

}  // namespace kvtk
