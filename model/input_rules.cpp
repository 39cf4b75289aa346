#include "model/input_rules.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace kvtk {
namespace {

InputConfig& Input(Configuration& config, int n) {
    return config.Inputs[static_cast<std::size_t>(n)];
}

}  // namespace

PartnerEffect ChooseInputType(Configuration& config, int input, int16_t type, int numInputs) {
    const int p = LinkedOnPartner(input);
    InputConfig& chosen = Input(config, input);
    chosen.Type = type;
    if (p > numInputs) return type == kLinkedOn ? PartnerEffect::kMissing : PartnerEffect::kNone;
    InputConfig& partner = Input(config, p);
    if (type == kLinkedOn) {
        partner.Type = kLinkedOn;
        partner.Timer = chosen.Timer;
        return PartnerEffect::kChanged;
    }
    if (partner.Type != kLinkedOn) return PartnerEffect::kNone;
    partner.Type = kMomentaryOn;
    return PartnerEffect::kChanged;
}

PartnerEffect ChooseInputTimer(Configuration& config, int input, int16_t timer, int numInputs) {
    const int p = LinkedOnPartner(input);
    Input(config, input).Timer = timer;
    if (p > numInputs) return PartnerEffect::kMissing;
    InputConfig& partner = Input(config, p);
    if (partner.Type != kLinkedOn) return PartnerEffect::kNone;
    partner.Timer = timer;
    return PartnerEffect::kChanged;
}

void SetAllInputTypes(Configuration& config, int16_t type) {
    for (int n = 1; n <= kInputCount; ++n) Input(config, n).Type = type;
}

void SetAllInputPolarities(Configuration& config, int16_t polarity) {
    for (int n = 1; n <= kInputCount; ++n) Input(config, n).Polarity = polarity;
}

void SetAllInputTimers(Configuration& config, int16_t timer) {
    for (int n = 1; n <= kInputCount; ++n) Input(config, n).Timer = timer;
}

void SetAllInputFlash(Configuration& config, int16_t flash) {
    for (int n = 1; n <= kInputCount; ++n) Input(config, n).Flash = flash;
}

void AutoAssignInputGroups(Configuration& config, bool copyGroupNames) {
    const int maxGroups = std::min<int>(config.Limits.MaxGroups, kInputCount);
    const int maxInputs = std::min<int>(config.Limits.MaxInputs, kInputCount);
    for (int n = 1; n <= maxGroups; ++n) {
        InputConfig& input = Input(config, n);
        input.Group = static_cast<int16_t>(n);
        if (copyGroupNames) input.Name = config.Groups[static_cast<std::size_t>(n)].Name;
    }
    for (int n = maxGroups + 1; n <= maxInputs; ++n)
        Input(config, n).Group = config.Limits.MinGroupNumber;
}

void CreateDefaultInputNames(Configuration& config, bool fromGroups) {
    for (int n = 1; n <= kInputCount; ++n) {
        InputConfig& input = Input(config, n);
        if (!fromGroups) {
            input.Name = "Input " + std::to_string(n);
        } else {
            const bool valid = input.Group >= 1 && input.Group <= config.Limits.MaxGroups;
            input.Name = valid ? config.Groups[static_cast<std::size_t>(input.Group)].Name : "";
        }
    }
}

}  // namespace kvtk
