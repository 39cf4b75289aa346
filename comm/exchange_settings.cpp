#include "comm/exchange_settings.h"

#include <algorithm>
#include <cmath>

namespace kvtk {

void ExchangeSettings::SetRequest(int address, const std::string& command,
                                  const std::string& description, FailureStyle style) {
    address_ = address;
    command_ = command;
    description_ = description;
    style_ = style;
    emit requestChanged();
}

void ExchangeSettings::ClearRequest() {
    SetRequest(0, {}, {}, FailureStyle::Silent);
    SetResponse({});
    SetResponseDescription({});
    SetRelativeSpeed(0);
    SetCancel(false);
}

void ExchangeSettings::SetMaxResponseMs(int ms) {
    maxResponseMs_ = std::max(ms, 0);
    emit limitsChanged();
}

void ExchangeSettings::SetAttempts(int attempts) {
    attempts_ = attempts;
    emit limitsChanged();
}

void ExchangeSettings::SetBusy(bool on) {
    if (busy_ == on) return;
    busy_ = on;
    emit busyChanged(on);
}

void ExchangeSettings::SetCancel(bool on) {
    if (cancel_ == on) return;
    cancel_ = on;
    emit cancelChanged(on);
}

void ExchangeSettings::SetResponse(const std::string& response) {
    response_ = response;
    emit responseChanged();
}

void ExchangeSettings::SetResponseDescription(const std::string& description) {
    responseDescription_ = description;
    emit responseChanged();
}

void ExchangeSettings::SetRelativeSpeed(int percent) {
    relativeSpeed_ = std::clamp(percent, 0, 100);
    emit statisticsChanged();
}

void ExchangeSettings::AddResponseTime(int responseMs) {
    const int limit = maxResponseMs_;
    // A reply cannot come before its command; the allowance for the frame's
    // characters can exceed the time a fast (simulated) panel needs.
    responseMs = std::max(responseMs, 0);
    int average = static_cast<int>(std::floor((static_cast<double>(averageMs_) + responseMs) / 2));
    if (average < 0 || average > limit) average = limit;
    averageMs_ = average;
    // A zero allowance leaves no scale for the gauge.
    const double speed = limit > 0 ? 100.0 - (static_cast<double>(average) / limit) * 100.0 : 0.0;
    relativeSpeed_ = std::clamp(static_cast<int>(std::lround(speed)), 0, 100);
    emit statisticsChanged();
}

}  // namespace kvtk
