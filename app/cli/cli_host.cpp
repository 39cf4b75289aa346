#include "app/cli/cli_host.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace kvtk::cli {

void WaitInEventLoop(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

namespace {

const char* KindLabel(OperationKind kind) {
    switch (kind) {
        case OperationKind::Read:
            return "Read";
        case OperationKind::Write:
            return "Write";
        case OperationKind::BadRelayCheck:
            return "Bad relay check";
        case OperationKind::ProductCodeChange:
            return "Product code";
    }
    return "";
}

// A terminal redraws often; a log gets a line a second.
constexpr auto kTerminalRedraw = std::chrono::milliseconds(100);
constexpr auto kPlainLineEvery = std::chrono::seconds(1);

}  // namespace

void CliHost::Progress(const std::string& text) {
    if (!verbose_ || text.empty()) return;
    EndStepLine();
    err_ << "  " << text << '\n' << std::flush;
}

void CliHost::Started(const OperationStarted& event) {
    timeLeft_.Started(event);
    lastLine_ = {};
}

void CliHost::StepDone(const OperationStep& event) {
    timeLeft_.StepDone(event);
    ShowStepLine(KindLabel(event.Kind), event.Of > 0 && event.Number >= event.Of);
}

void CliHost::Finished(const OperationFinished&) {
    EndStepLine();
}

void CliHost::ScanStarted() {
    timeLeft_.Start();
    lastLine_ = {};
}

void CliHost::ScanProgress(int done, int total) {
    timeLeft_.Progress(done, total);
    ShowStepLine("Scan", done >= total);
}

void CliHost::ShowStepLine(const std::string& label, bool last) {
    if (!verbose_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!last && now - lastLine_ < (terminal_ ? kTerminalRedraw : kPlainLineEvery)) return;
    lastLine_ = now;
    const std::string line = label + ": " + timeLeft_.Text();
    if (!terminal_) {
        err_ << line << '\n' << std::flush;
        return;
    }
    err_ << '\r' << line;
    if (line.size() < shownWidth_) err_ << std::string(shownWidth_ - line.size(), ' ');
    err_ << std::flush;
    shownWidth_ = std::max(shownWidth_, line.size());
}

void CliHost::EndStepLine() {
    if (shownWidth_ == 0) return;
    err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
    shownWidth_ = 0;
}

void CliHost::ShowResponseDescription(const std::string& text) {
    Progress(text);
}

void CliHost::ShowStatusLine(const std::string& text, LineTone) {
    statusLine_ = text;
    Progress(text);
}

MessageAnswer CliHost::Ask(const MessageRequest& request) {
    if (request.Buttons != MessageButtons::YesNo) return MessageAnswer::Cancel;
    Progress(request.Title + " " + request.Text + (yes_ ? " Yes" : " No"));
    return yes_ ? MessageAnswer::Yes : MessageAnswer::No;
}

void CliHost::ShowMessage(const std::string& text) {
    messages_.push_back(text);
    Progress(text);
}

void CliHost::Wait(const TimedWait& wait) {
    waits_.push_back(wait);
    int ms = wait.Milliseconds;
    if (wait.Kind == WaitKind::Saving && savingWaitMs_) ms = *savingWaitMs_;
    if (!wait.Text.empty()) Progress(wait.Text);
    if (wait.Kind == WaitKind::Saving && ms != wait.Milliseconds)
        Progress("Waiting " + std::to_string(ms / 1000) + " s instead of " +
                 std::to_string(wait.Milliseconds / 1000) + " s (--save-wait)");
    WaitInEventLoop(ms);
}

}  // namespace kvtk::cli
