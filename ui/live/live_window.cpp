#include "ui/live/live_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>

namespace kvtk {

LiveWindow::LiveWindow(QWidget* parent)
    : QDialog(parent), cmdAutoRefresh_(new QPushButton(QStringLiteral("&Auto Refresh"))) {
    setModal(true);
    cmdAutoRefresh_->setObjectName(QStringLiteral("cmdAutoRefresh"));
    cmdAutoRefresh_->setAutoDefault(false);
    connect(cmdAutoRefresh_, &QPushButton::clicked, this, &LiveWindow::RefreshClicked);
}

QString LiveWindow::RefreshCaption() const {
    return ViewRunning() ? QStringLiteral("&Close") : QStringLiteral("&Auto Refresh");
}

void LiveWindow::Start() {
    if (looping_) return;
    looping_ = true;
    stopping_ = false;
    show();
    raise();
    activateWindow();
    const bool opened = OpenView();
    ShowState();
    if (!opened || stopping_) {
        End();
        return;
    }
    QueuePass();
}

void LiveWindow::QueuePass() {
    // Queued rather than looped: the events that arrived during the pass run
    // first, so a click made now is served by the next pass.
    QTimer::singleShot(0, this, &LiveWindow::Pass);
}

void LiveWindow::Pass() {
    if (!looping_) return;
    if (stopping_ || !isVisible()) {
        End();
        return;
    }
    const bool more = RunPass();
    ShowState();
    emit passFinished();
    if (more && !stopping_ && isVisible())
        QueuePass();
    else
        End();
}

void LiveWindow::Stop() {
    stopping_ = true;
    StopView();
    cmdAutoRefresh_->setText(RefreshCaption());
}

void LiveWindow::End() {
    looping_ = false;
    StopView();
    cmdAutoRefresh_->setText(RefreshCaption());
    hide();
    emit loopEnded();
}

void LiveWindow::RefreshClicked() {
    // While the loop runs the button reads "&Close"; once stopped, the window
    // closes as soon as the exchange under way has its reply.
    if (looping_) Stop();
}

void LiveWindow::closeEvent(QCloseEvent* event) {
    if (looping_) {
        Stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void LiveWindow::reject() {
    if (looping_)
        Stop();
    else
        QDialog::reject();
}

}  // namespace kvtk
