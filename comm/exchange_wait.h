#pragma once
// The wait of one exchange: an event loop that sleeps until it is woken by
// new data, a link or connection change, a cancel request or its deadline
// timer. Other events (windows, sockets) are served while it waits.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace kvtk {

class ExchangeSettings;

class ExchangeWait {
public:
    // Wakes on every change of the settings' Cancel flag.
    explicit ExchangeWait(ExchangeSettings& settings);

    template <typename Sender, typename Signal>
    void WakeOn(const Sender* sender, Signal signal) {
        QObject::connect(sender, signal, &loop_, &QEventLoop::quit);
    }

    // Milliseconds since the wait was created, with fractions.
    double NowMs() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }
    // Serves events until woken or until NowMs() reaches the deadline.
    void WaitUntil(double deadlineMs);

private:
    QElapsedTimer clock_;
    QEventLoop loop_;
    QTimer deadline_;
};

}  // namespace kvtk
