#pragma once
// The input check's reader: which inputs of the panel are
// activated ("LR8") and, from firmware 4.00, its analog channels in user
// units ("LR270106" from 4.01, only channel 5 through "LR26" below). Every
// exchange goes to the configuration's Address with an empty description
// and message style 5; an empty reply (the user cancelled) ends the
// passes, which the front end runs.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/live/live_sender.h"

namespace kvtk {

inline constexpr int kAnalogChannels = 6;

class InputMonitor {
public:
    // The calibration fields are the configuration's UnitsAt0V / UnitsAt5V
    // texts; empty ones start as "0" and "100".
    InputMonitor(PanelExchange& exchange, Configuration& config);

    // Opening (each time the view starts): the analog channels are shown
    // from firmware 4.00, the calibration values are taken from their texts,
    // the input count ("LR65") is read and the view runs. False when the
    // reply is empty: the view ends at once.
    bool Open();

    // One pass; false when no further pass follows.
    bool RunPass();
    // Stops: the exchange under way finishes and nothing more is sent until
    // the next Open().
    void Stop() {
        running_ = false;
        sender_.Stop();
    }

    // One poll; returns the last reply (empty when an exchange was cancelled).
    std::string PollInputs();

    // Leaving a calibration field: nothing when the text was taken (it becomes
    // the configuration's text and its value applies at once), else the message
    // to show ("Invalid value.") with the focus kept in the field; the
    // configuration then keeps its last valid text.
    std::optional<std::string> LeaveUnitsAt0V(const std::string& text);
    std::optional<std::string> LeaveUnitsAt5V(const std::string& text);

    // What the view shows.
    bool BoxVisible(int input) const;
    bool BoxTicked(int input) const;
    int VisibleInputs() const { return visibleInputs_; }
    bool AnalogShown() const { return analogShown_; }
    const std::string& AnalogText(int channel) const;  // channels 1..6
    // From Open() until Stop(), or until an opening failed.
    bool Running() const { return running_; }
    const std::string& UnitsAt0VText() const { return config_.Panel.UnitsAt0V; }
    const std::string& UnitsAt5VText() const { return config_.Panel.UnitsAt5V; }
    int16_t UnitsAt0V() const { return unitsAt0V_; }
    int16_t UnitsAt5V() const { return unitsAt5V_; }
    const std::string& LastReply() const { return sender_.LastReply(); }

    // Input bytes decoded from "LR8": 2 (inputs 1..16) for exactly
    // "KV-4800", 15 (inputs 1..120) otherwise.
    int InputBytes() const;

private:
    double Firmware() const;
    std::optional<std::string> Leave(std::string& field, int16_t& value, const std::string& text);

    Configuration& config_;
    LiveSender sender_;
    int16_t unitsAt0V_ = 0;
    int16_t unitsAt5V_ = 100;
    int visibleInputs_ = kInputCount;
    bool analogShown_ = false;
    bool running_ = false;
    std::array<bool, kInputCount + 1> ticked_{};
    std::array<std::string, kAnalogChannels + 1> analog_{};
};

}  // namespace kvtk
