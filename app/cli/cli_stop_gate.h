#pragma once
// The exchange the commands see while a stop may come: after Ctrl+C or
// SIGTERM nothing more is sent but "LSU" (so a stopped write can disable
// writing again), and an exchange waiting for its reply is cancelled as the
// port window's Cancel would. It also notes where writing may have been
// left enabled.

#include "app/cli/cli_stop.h"
#include "comm/exchange_settings.h"
#include "transfer/operations/write_enable_watch.h"

namespace kvtk::cli {

class StopGate : public PanelExchange {
public:
    // `settings` are those of the exchange behind `inner`.
    StopGate(PanelExchange& inner, ExchangeSettings& settings, const SignalStop& stop);
    ~StopGate() override { QObject::disconnect(connection_); }
    StopGate(const StopGate&) = delete;
    StopGate& operator=(const StopGate&) = delete;

    int Attempts() const override { return watch_.Attempts(); }
    void SetAttempts(int attempts) override { watch_.SetAttempts(attempts); }
    int SetQuickTries(bool on) override { return watch_.SetQuickTries(on); }
    bool HeardAnything() const override { return watch_.HeardAnything(); }

    const std::set<int>& MaybeWriteEnabled() const { return watch_.MaybeWriteEnabled(); }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override;

private:
    void CancelRunning();

    WriteEnableWatch watch_;
    ExchangeSettings& settings_;
    const SignalStop& stop_;
    const std::string* running_ = nullptr;  // the command waiting for its reply
    QMetaObject::Connection connection_;
};

}  // namespace kvtk::cli
