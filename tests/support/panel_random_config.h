#pragma once
// Random configurations that a panel at address 1 also keeps as they are,
// for round trips through a simulated panel.

#include <algorithm>
#include <string>

#include "tests/support/random_config.h"
#include "transfer/registers/firmware_conditions.h"

namespace kvtk::test {

inline Configuration RandomPanelConfig(uint32_t seed, const std::string& model,
                                       const std::string& version) {
    Configuration c = RandomConfigMaker(seed).Make(model, version);
    c.Panel.Address = "1";
    c.AddressTable[1].Name = c.Panel.DeviceName;
    // The panel counts timers in 16-bit seconds.
    for (std::string& timer : c.Panel.TimerDuration) timer = std::min(timer, std::string("17:59"));
    c.Panel.OnTimeAfterFlash = std::min(c.Panel.OnTimeAfterFlash, std::string("59:59"));
    // Read back through tenths, a coded flash off time other than 0.5 or 2.0
    // comes back as another time.
    if (UsesFlashOffCodeTable(c.Identity)) c.Panel.FlashOffTime = seed % 2 ? "0.5" : "2.0";
    // The KV-4800 takes one member byte on writing.
    if (model == "KV-4800")
        for (GroupConfig& group : c.Groups)
            for (int k = 9; k <= kMemberCount; ++k) group.SetMember(k, false);
    // Linked On comes in pairs (1-2, 3-4, ...) sharing one timer, as the editor keeps them.
    for (int n = 1; n < kInputCount; n += 2) {
        InputConfig& first = c.Inputs[static_cast<size_t>(n)];
        InputConfig& second = c.Inputs[static_cast<size_t>(n) + 1];
        if (first.Type != kLinkedOn && second.Type != kLinkedOn) continue;
        first.Type = second.Type = kLinkedOn;
        second.Timer = first.Timer;
    }
    return c;
}

}  // namespace kvtk::test
