#include "transfer/live/input_monitor.h"

#include <algorithm>

#include "model/conversions.h"
#include "model/products.h"
#include "transfer/live/analog_scale.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

constexpr FailureStyle kLiveStyle =
    FailureStyle::RetryCancel;  // Retry and Cancel until the panel answers
constexpr double kAnalogFirmware = 4.0;
constexpr double kSixChannelFirmware = 4.01;
constexpr int kSingleChannel = 5;  // the one channel older firmware reports
constexpr int kCountReplyChars = 2;
constexpr int kChannelReplyChars = 4;

}  // namespace

InputMonitor::InputMonitor(PanelExchange& exchange, Configuration& config)
    : exchange_(exchange), config_(config) {
    if (config_.Panel.UnitsAt0V.empty()) config_.Panel.UnitsAt0V = "0";
    if (config_.Panel.UnitsAt5V.empty()) config_.Panel.UnitsAt5V = "100";
    for (int c = 1; c <= kAnalogChannels; ++c) analog_[static_cast<size_t>(c)] = "0";
}

double InputMonitor::Firmware() const {
    return VersionValue(config_.Identity.Version);
}

int InputMonitor::InputBytes() const {
    return config_.Identity.Model == "KV-4800" ? 2 : kInputCount / 8;
}

std::string InputMonitor::Send(const std::string& command, int dataChars) {
    if (stopped_) {
        lastReply_.clear();
        return lastReply_;
    }
    lastReply_ =
        exchange_.Exchange(IntegerValue(config_.Panel.Address), command, "", kLiveStyle, dataChars);
    return lastReply_;
}

bool InputMonitor::Open() {
    analogShown_ = Firmware() >= kAnalogFirmware;
    unitsAt0V_ = CalibrationValueOnOpening(config_.Panel.UnitsAt0V);
    unitsAt5V_ = CalibrationValueOnOpening(config_.Panel.UnitsAt5V);
    stopped_ = false;
    if (Send("LR65", kCountReplyChars).empty()) {
        running_ = false;
        return false;
    }
    visibleInputs_ = std::clamp(ReplyHex(lastReply_, 2, 2), 0, kInputCount);
    running_ = true;
    return true;
}

bool InputMonitor::RunPass() {
    return !PollInputs().empty() && running_;
}

std::string InputMonitor::PollInputs() {
    // Only a whole reply changes what is shown; a short one is no reading.
    if (!IsAcceptedReply(Send("LR8", 2 * InputBytes()))) return lastReply_;
    for (int b = 0; b < InputBytes(); ++b) {
        const int32_t v = ReplyHex(lastReply_, 2 * b + 2, 2);
        for (int j = 0; j < 8; ++j) ticked_[static_cast<size_t>(8 * b + j + 1)] = (v >> j) & 1;
    }
    if (!analogShown_) return lastReply_;
    if (Firmware() >= kSixChannelFirmware) {
        if (!IsAcceptedReply(Send("LR270106", kAnalogChannels * kChannelReplyChars)))
            return lastReply_;
        for (int c = 1; c <= kAnalogChannels; ++c) {
            const int32_t raw = ReplyHex(lastReply_, 4 * (c - 1) + 2, 4);
            analog_[static_cast<size_t>(c)] =
                std::to_string(ScaleAnalog(raw, unitsAt0V_, unitsAt5V_));
        }
        return lastReply_;
    }
    if (IsAcceptedReply(Send("LR26", kCountReplyChars))) {
        const int32_t raw = ReplyHex(lastReply_, 2, 2);
        analog_[kSingleChannel] = std::to_string(ScaleAnalog(raw, unitsAt0V_, unitsAt5V_));
    }
    for (int c = 1; c <= kAnalogChannels; ++c)
        if (c != kSingleChannel) analog_[static_cast<size_t>(c)] = "0";
    return lastReply_;
}

std::optional<std::string> InputMonitor::Leave(std::string& field, int16_t& value,
                                               const std::string& text) {
    // Only a text that was taken reaches the configuration (and so a file).
    const auto taken = CalibrationValue(text);
    if (!taken) return std::string(kInvalidValue);
    field = text;
    value = *taken;
    return std::nullopt;
}

std::optional<std::string> InputMonitor::LeaveUnitsAt0V(const std::string& text) {
    return Leave(config_.Panel.UnitsAt0V, unitsAt0V_, text);
}

std::optional<std::string> InputMonitor::LeaveUnitsAt5V(const std::string& text) {
    return Leave(config_.Panel.UnitsAt5V, unitsAt5V_, text);
}

bool InputMonitor::BoxVisible(int input) const {
    return input >= 1 && input <= visibleInputs_;
}

bool InputMonitor::BoxTicked(int input) const {
    return input >= 1 && input <= kInputCount && ticked_[static_cast<size_t>(input)];
}

const std::string& InputMonitor::AnalogText(int channel) const {
    static const std::string kNone;
    if (channel < 1 || channel > kAnalogChannels) return kNone;
    return analog_[static_cast<size_t>(channel)];
}

}  // namespace kvtk
