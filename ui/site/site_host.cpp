#include "ui/site/site_host.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "ui/widgets/text_convert.h"

namespace kvtk {

void SiteHost::StepDone(const OperationStep& event) {
    if (event.Of > 0)
        status_.setText(ToQString(event.Description) +
                        QStringLiteral(" (%1 of %2)").arg(event.Number).arg(event.Of));
}

void SiteHost::ShowResponseDescription(const std::string& text) {
    if (response_) response_(text);
}

void SiteHost::ShowStatusLine(const std::string& text, LineTone) {
    if (!text.empty()) status_.setText(ToQString(text));
}

MessageAnswer SiteHost::Ask(const MessageRequest& request) {
    return prompter_.Ask(request);
}

void SiteHost::ShowMessage(const std::string& text) {
    prompter_.Ask({"Site", text, MessageButtons::Ok, MessageIcon::Information});
}

void SiteHost::Beep() {
    QApplication::beep();
}

void SiteHost::Wait(const TimedWait& wait) {
    int left = std::max(wait.Milliseconds, 0);
    if (waitCapMs_ > 0) left = std::min(left, waitCapMs_);
    // A countdown in whole seconds; the loop runs the line's and the window's events.
    QEventLoop loop;
    QTimer tick;
    const QString text = ToQString(wait.Text);
    const auto show = [&] {
        if (!text.isEmpty())
            status_.setText(text + QStringLiteral(" %1 s").arg((left + 999) / 1000));
    };
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        left -= std::min(left, 1000);
        show();
        if (left == 0) loop.quit();
        tick.setInterval(std::min(left, 1000));
    });
    show();
    if (left == 0) return;
    tick.start(std::min(left, 1000));
    loop.exec();
}

}  // namespace kvtk
