#pragma once
// The settings and results of the command exchange, shown and edited by the
// communication window: what the last call asked, how long a panel may stay
// silent, how often to try, the Busy and Cancel flags, the reply and the
// response-time statistics. Survives between exchanges.

#include <QObject>
#include <string>

#include "model/panel_exchange.h"

namespace kvtk {

class ExchangeSettings : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultMaxResponseMs = 500;
    static constexpr int kDefaultAttempts = 2;
    static constexpr int kDefaultAddress = 1;
    static constexpr FailureStyle kDefaultStyle = FailureStyle::OkCancel;
    // How long busy dots (and a line that keeps coming) may hold one try:
    // longer than the 25 s a panel may take to write its EEPROM, the
    // longest it is known to work before it answers.
    static constexpr int kDefaultBusyLimitMs = 30000;

    using QObject::QObject;

    // Set by every call.
    int Address() const { return address_; }
    const std::string& Command() const { return command_; }
    const std::string& Description() const { return description_; }
    FailureStyle Style() const { return style_; }
    void SetRequest(int address, const std::string& command, const std::string& description,
                    FailureStyle style);
    // A clean slate before an operation: no request (address 0, no command),
    // no reply, the gauge at 0 and no cancel left over.
    void ClearRequest();

    // Kept between exchanges.
    int MaxResponseMs() const { return maxResponseMs_; }
    void SetMaxResponseMs(int ms);
    int Attempts() const { return attempts_; }
    void SetAttempts(int attempts);
    // A try ends as "no response" this long after its frame was sent, or at
    // its first deadline when that is later, however the panel keeps busy.
    int BusyLimitMs() const { return busyLimitMs_; }
    void SetBusyLimitMs(int ms) { busyLimitMs_ = ms; }

    // A quick try's wait in ms, which replaces MaxResponseMs and the relay
    // server's allowance while set; 0: off.
    int QuickWaitMs() const { return quickWaitMs_; }
    void SetQuickWaitMs(int ms) { quickWaitMs_ = ms; }
    // The wait of one try after its frame: the quick wait while on.
    int TryWaitMs() const { return quickWaitMs_ > 0 ? quickWaitMs_ : maxResponseMs_; }
    // Whether the running or last exchange received anything at all.
    bool Heard() const { return heard_; }
    void SetHeard(bool heard) { heard_ = heard; }

    bool Busy() const { return busy_; }
    void SetBusy(bool on);
    bool Cancel() const { return cancel_; }
    // Stops a running exchange at its next check; set while idle it stops
    // the next exchange right after its frame is sent.
    void SetCancel(bool on);

    const std::string& Response() const { return response_; }
    void SetResponse(const std::string& response);
    const std::string& ResponseDescription() const { return responseDescription_; }
    void SetResponseDescription(const std::string& description);

    int AverageResponseMs() const { return averageMs_; }
    int RelativeSpeed() const { return relativeSpeed_; }  // 0..100
    void SetRelativeSpeed(int percent);
    // Folds one measured response time into the running average and the
    // relative speed.
    void AddResponseTime(int responseMs);

signals:
    void requestChanged();
    void limitsChanged();
    void busyChanged(bool on);
    void cancelChanged(bool on);
    void responseChanged();
    void statisticsChanged();

private:
    int address_ = kDefaultAddress;
    std::string command_;
    std::string description_;
    FailureStyle style_ = kDefaultStyle;
    int maxResponseMs_ = kDefaultMaxResponseMs;
    int attempts_ = kDefaultAttempts;
    int busyLimitMs_ = kDefaultBusyLimitMs;
    int quickWaitMs_ = 0;
    bool heard_ = false;
    bool busy_ = false;
    bool cancel_ = false;
    std::string response_;
    std::string responseDescription_;
    int averageMs_ = 0;
    int relativeSpeed_ = 0;
};

}  // namespace kvtk
