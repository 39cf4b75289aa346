#include "transfer/live/input_monitor.h"

#include <algorithm>

#include "model/conversions.h"
#include "model/products.h"
#include "transfer/live/analog_scale.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

constexpr double kAnalogFirmware = 4.0;
constexpr double kSixChannelFirmware = 4.01;
constexpr int kSingleChannel = 5;  // the one channel older firmware reports
constexpr int kCountReplyChars = 2;
constexpr int kChannelReplyChars = 4;

}  // namespace

InputMonitor::InputMonitor(PanelExchange& exchange, Configuration& config)
    : config_(config), sender_(exchange, config) {
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

bool InputMonitor::Open() {
    analogShown_ = Firmware() >= kAnalogFirmware;
    unitsAt0V_ = CalibrationValueOnOpening(config_.Panel.UnitsAt0V);
    unitsAt5V_ = CalibrationValueOnOpening(config_.Panel.UnitsAt5V);
    sender_.Start();
    if (sender_.Send("LR65", kCountReplyChars).empty()) {
        running_ = false;
        return false;
    }
    visibleInputs_ = std::clamp(ReplyHex(sender_.LastReply(), 2, 2), 0, kInputCount);
    running_ = true;
    return true;
}

bool InputMonitor::RunPass() {
    return !PollInputs().empty() && running_;
}

std::string InputMonitor::PollInputs() {
    // Only a whole reply changes what is shown; a short one is no reading.
    if (!IsAcceptedReply(sender_.Send("LR8", 2 * InputBytes()))) return sender_.LastReply();
    for (int b = 0; b < InputBytes(); ++b) {
        const int32_t v = ReplyHex(sender_.LastReply(), 2 * b + 2, 2);
        for (int j = 0; j < 8; ++j) ticked_[static_cast<size_t>(8 * b + j + 1)] = (v >> j) & 1;
    }
    if (!analogShown_) return sender_.LastReply();
    if (Firmware() >= kSixChannelFirmware) {
        if (!IsAcceptedReply(sender_.Send("LR270106", kAnalogChannels * kChannelReplyChars)))
            return sender_.LastReply();
        for (int c = 1; c <= kAnalogChannels; ++c) {
            const int32_t raw = ReplyHex(sender_.LastReply(), 4 * (c - 1) + 2, 4);
            analog_[static_cast<size_t>(c)] =
                std::to_string(ScaleAnalog(raw, unitsAt0V_, unitsAt5V_));
        }
        return sender_.LastReply();
    }
    if (IsAcceptedReply(sender_.Send("LR26", kCountReplyChars))) {
        const int32_t raw = ReplyHex(sender_.LastReply(), 2, 2);
        analog_[kSingleChannel] = std::to_string(ScaleAnalog(raw, unitsAt0V_, unitsAt5V_));
    }
    for (int c = 1; c <= kAnalogChannels; ++c)
        if (c != kSingleChannel) analog_[static_cast<size_t>(c)] = "0";
    return sender_.LastReply();
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
