#pragma once
// The one path by which the program talks to a panel: frame a command for
// the serial line or the relay server, send it, wait for the reply, retry,
// report failures through the prompter and return the classified reply.

#include <string>

#include "model/panel_exchange.h"

namespace kvtk {

class ByteLink;
class ExchangeSettings;
class Prompter;
class RelayConnection;

// How panels are reached; chosen in the connect dialog.
enum class ConnectionMode { Serial = 0, Relay = 1 };

inline constexpr const char* kCommErrorTitle = "Comm Error: ";
inline constexpr const char* kNoResponseText = "Device did not respond in time.";
inline constexpr const char* kGarbledText = "Device response was garbled.";
inline constexpr const char* kTooShortText = "Device response was incomplete.";
inline constexpr const char* kNoNetworkText = "Unable to initiate network connection.";
inline constexpr const char* kNetworkLostText =
    "Unable to initiate network connection while waiting for response from server.";

class CommandExchange : public PanelExchange {
public:
    CommandExchange(ExchangeSettings& settings, Prompter& prompter);

    void SetConnectionMode(ConnectionMode mode) { mode_ = mode; }
    ConnectionMode Mode() const { return mode_; }
    // The connect dialog's offline choice: serial exchanges answer "T" at once.
    void SetOffline(bool offline) { offline_ = offline; }
    bool Offline() const { return offline_; }
    // Neither is owned; either may be null (no port open, no server chosen).
    void SetSerialLink(ByteLink* link) { link_ = link; }
    ByteLink* SerialLink() const { return link_; }
    void SetRelayConnection(RelayConnection* relay) { relay_ = relay; }
    RelayConnection* Relay() const { return relay_; }

    ExchangeSettings& Settings() { return settings_; }

    // The tries per exchange live in the exchange settings, so the address
    // change's forced tries for the save reach the real link.
    int Attempts() const override;
    void SetAttempts(int attempts) override;

    // One try, waiting QuickWaitMs(); see PanelExchange.
    int SetQuickTries(bool on) override;
    bool HeardAnything() const override;
    // A quick try's wait: the wire time at 9600 baud of an identity probe's
    // frame and reply, a margin for the panel's answer, and over the relay
    // server the login's measured round trip.
    int QuickWaitMs() const;

    bool Running() const { return running_; }

protected:
    // Returns "A" + data, "C", "T", "I", another reply line, or "" when
    // cancelled. A reply "A" with fewer than `dataChars` data characters
    // counts as garbled. A call made while an exchange runs (from an event
    // served during its wait) sends nothing and returns "".
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override;

private:
    std::string TryOnce(const std::string& frame);
    void ShowNetworkFailure(const char* text);
    void Finish(bool measured, double elapsedMs);

    ExchangeSettings& settings_;
    Prompter& prompter_;
    ConnectionMode mode_ = ConnectionMode::Serial;
    bool offline_ = true;
    ByteLink* link_ = nullptr;
    RelayConnection* relay_ = nullptr;
    bool running_ = false;
};

}  // namespace kvtk
