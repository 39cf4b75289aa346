#include "app/cli/cli_host.h"

#include <QEventLoop>
#include <QTimer>

namespace kvtk::cli {

void WaitInEventLoop(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void CliHost::Progress(const std::string& text) {
    if (verbose_ && !text.empty()) err_ << "  " << text << '\n' << std::flush;
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
