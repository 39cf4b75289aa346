#include "ui/device/frmTimedWait.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace kvtk {

frmTimedWait::frmTimedWait(const QString& title, const QString& text, int milliseconds,
                           QWidget* parent)
    : QDialog(parent), lblMessage_(new QLabel(text)) {
    setObjectName(title == QString::fromLatin1(kResettingTitle) ? QStringLiteral("frmResetting")
                                                                : QStringLiteral("frmSaving"));
    setWindowTitle(title);
    setModal(true);
    // A title bar without a close button: only the timer ends the wait.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setMinimumWidth(lblMessage_->fontMetrics().horizontalAdvance(text) + 24);
    lblMessage_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(lblMessage_);

    timer_.setSingleShot(true);
    timer_.setInterval(milliseconds);
    connect(&timer_, &QTimer::timeout, this, &frmTimedWait::TimerFired);
}

void frmTimedWait::RunModal() {
    finished_ = false;
    timer_.start();
    exec();
}

void frmTimedWait::TimerFired() {
    timer_.stop();
    timer_.setInterval(0);
    finished_ = true;
    accept();
}

void frmTimedWait::reject() {
    if (finished_) QDialog::reject();
}

void frmTimedWait::closeEvent(QCloseEvent* event) {
    if (finished_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void frmTimedWait::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace kvtk
