#include "ui/device/gui_operation_host.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "ui/comm/message_prompter.h"
#include "ui/device/frmTimedWait.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/text_convert.h"
#include "ui/widgets/tone_colours.h"

namespace kvtk {

GuiOperationHost::GuiOperationHost(MainWindowAccess& window) : window_(window) {
    message_ = [this](const QString& text) {
        QWidget& parent = window_.Widget();
        QMessageBox::information(&parent, parent.windowTitle(), text);
    };
}

void GuiOperationHost::ShowResponseDescription(const std::string& text) {
    if (portWindow_.ResponseDescription) portWindow_.ResponseDescription(text);
}

GuiOperationHost::StatusLineSink GuiOperationHost::LabelStatusLine(QLabel& label) {
    return [&label](const std::string& text, LineTone tone) {
        if (tone == LineTone::Alert) SetAlertTone(label, true);
        if (tone == LineTone::Normal) SetAlertTone(label, false);
        label.setText(ToQString(text));
        label.repaint();
    };
}

void GuiOperationHost::ShowStatusLine(const std::string& text, LineTone tone) {
    if (statusLine_) statusLine_(text, tone);
}

void GuiOperationHost::ShowProgress(OperationKind kind, bool running) {
    std::string text;
    if (running)
        text = (kind == OperationKind::Read ? "Reading: " : "Writing: ") + timeLeft_.Text();
    window_.ShowOperationProgress(text, timeLeft_.Percent());
    if (portWindow_.Progress) portWindow_.Progress(text);
}

void GuiOperationHost::Started(const OperationStarted& event) {
    if (event.Kind == OperationKind::Read || event.Kind == OperationKind::Write) {
        timeLeft_.Started(event);
        ShowProgress(event.Kind, true);
    }
    switch (event.Kind) {
        case OperationKind::Read:
            // No other command may start while the window fills in.
            SetMainWindowEnabled(false);
            [[fallthrough]];
        case OperationKind::Write:
            if (portWindow_.Clear) portWindow_.Clear();
            ShowPortWindow(true);
            break;
        case OperationKind::BadRelayCheck:
            Repaint();
            break;
        case OperationKind::ProductCodeChange:
            SetBusyPointer(true);
            break;
    }
}

void GuiOperationHost::StepDone(const OperationStep& event) {
    if (event.Kind == OperationKind::Read || event.Kind == OperationKind::Write) {
        timeLeft_.StepDone(event);
        ShowProgress(event.Kind, true);
    }
    switch (event.Kind) {
        case OperationKind::Write:
            // The port window's cancel and the repaints run between registers.
            Repaint();
            QCoreApplication::processEvents();
            break;
        case OperationKind::Read:
        case OperationKind::BadRelayCheck:
            Repaint();
            break;
        case OperationKind::ProductCodeChange:
            break;
    }
}

void GuiOperationHost::Finished(const OperationFinished& event) {
    if (event.Kind == OperationKind::Read || event.Kind == OperationKind::Write)
        ShowProgress(event.Kind, false);
    switch (event.Kind) {
        case OperationKind::Read:
            ShowPortWindow(false);
            SetMainWindowEnabled(true);
            break;
        case OperationKind::Write:
            ShowPortWindow(false);
            break;
        case OperationKind::BadRelayCheck:
            break;
        case OperationKind::ProductCodeChange:
            SetBusyPointer(false);
            break;
    }
}

MessageAnswer GuiOperationHost::Ask(const MessageRequest& request) {
    if (request.Buttons == MessageButtons::YesNo)
        return window_.Ask(ToQString(request.Title), ToQString(request.Text)) ? MessageAnswer::Yes
                                                                              : MessageAnswer::No;
    return MessagePrompter(&window_.Widget()).Ask(request);
}

void GuiOperationHost::ShowMessage(const std::string& text) {
    message_(ToQString(text));
}

void GuiOperationHost::Beep() {
    window_.GetBeeper().Beep();
}

int GuiOperationHost::WaitMs(const TimedWait& wait) const {
    const int ms = std::max(wait.Milliseconds, 0);
    return waitCapMs_ > 0 ? std::min(ms, waitCapMs_) : ms;
}

void GuiOperationHost::Wait(const TimedWait& wait) {
    const int ms = WaitMs(wait);
    if (wait.Kind == WaitKind::WriteDisablePause) {
        // The window stays as it is; events run until the timer fires.
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return;
    }
    const char* title = wait.Kind == WaitKind::Resetting ? kResettingTitle : kSavingTitle;
    frmTimedWait box(QString::fromLatin1(title), ToQString(wait.Text), ms, &window_.Widget());
    box.RunModal();
}

void GuiOperationHost::ShowPortWindow(bool shown) {
    if (portWindow_.Show) portWindow_.Show(shown);
}

void GuiOperationHost::SetMainWindowEnabled(bool enabled) {
    QWidget& window = window_.Widget();
    window.setEnabled(enabled);
    if (enabled) {
        window.activateWindow();
        window.setFocus(Qt::OtherFocusReason);
    }
}

void GuiOperationHost::SetBusyPointer(bool busy) {
    if (busy) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
    }
}

void GuiOperationHost::Repaint() {
    if (showValuesOnRepaint_) window_.ShowPanelValues();
    window_.Widget().repaint();
}

}  // namespace kvtk
