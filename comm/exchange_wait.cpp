#include "comm/exchange_wait.h"

#include <cmath>

#include "comm/exchange_settings.h"

namespace kvtk {

ExchangeWait::ExchangeWait(ExchangeSettings& settings) {
    clock_.start();
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline_, &QTimer::timeout, &loop_, &QEventLoop::quit);
    QObject::connect(&settings, &ExchangeSettings::cancelChanged, &loop_, &QEventLoop::quit);
}

void ExchangeWait::WaitUntil(double deadlineMs) {
    const double remaining = deadlineMs - NowMs();
    if (remaining <= 0) return;
    deadline_.start(static_cast<int>(std::ceil(remaining)));
    loop_.exec();
    deadline_.stop();
}

}  // namespace kvtk
