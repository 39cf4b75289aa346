#include "sim/demo_line.h"

#include <initializer_list>

#include "sim/sim_text.h"

namespace kvtk {
namespace {

using sim::Hex;

// One input of the demonstration site, as the panel's input word holds it.
struct SiteInput {
    int type;  // 0 Maintained, 1 Momentary On, 2 Momentary Off, 3 Momentary On/Off
    int timer;
    int group;
    bool flash;
    bool normallyClosed;
};

// One group: its relays (or, for a supergroup, its groups) and priorities.
struct SiteGroup {
    bool super;
    std::initializer_list<int> members;
    int priority;  // 0 None, 1 On, 2 Off, 3 On/Off
    bool serialOn;
};

// The word of register 9 in the current layout: polarity 15, flash 14,
// type extension 10, timer 9..8, low type bits 7..6, group 5..0.
unsigned InputWord(const SiteInput& in) {
    return static_cast<unsigned>((in.normallyClosed ? 1 << 15 : 0) | (in.flash ? 1 << 14 : 0) |
                                 ((in.type >> 2) & 1) << 10 | (in.timer & 3) << 8 |
                                 (in.type & 3) << 6 | (in.group & 0x3F));
}

std::string MemberBytes(std::initializer_list<int> members) {
    unsigned long long bits = 0;
    for (int m : members) bits |= 1ull << (m - 1);
    std::string text;
    for (int k = 0; k < 8; ++k) text += Hex(static_cast<unsigned>((bits >> (8 * k)) & 0xFF), 2);
    return text;
}

// Address 1, a WQ16 on one office floor: 16 switch inputs, 16 relays, 13
// groups (the two last ones supergroups) and timers of 15 min, 2 h and 8 h.
// The names that go with it are in docs/demo/office-floor.kvx (File > Open
// Names), since a panel keeps no names.
void FurnishOfficeFloor(SimPanel& panel) {
    panel.SetRegister("65", "10");
    panel.SetRegister("41", Hex(15 * 60, 4));
    panel.SetRegister("42", Hex(2 * 3600, 4));
    panel.SetRegister("43", Hex(8 * 3600, 4));
    panel.SetRegister("66", "0C");  // relays refreshed every 12 minutes
    const SiteInput inputs[] = {
        {0, 0, 1, false, false},   //  1 lobby main switch
        {3, 0, 2, false, false},   //  2 reception desk
        {1, 1, 3, true, false},    //  3 corridor east sensor
        {1, 1, 4, true, false},    //  4 corridor west sensor
        {3, 0, 5, false, false},   //  5 office 101
        {3, 0, 6, false, false},   //  6 office 102
        {3, 2, 7, true, false},    //  7 conference room
        {3, 1, 8, false, false},   //  8 kitchen
        {1, 1, 9, false, false},   //  9 restrooms sensor
        {0, 0, 10, false, false},  // 10 stair key switch
        {0, 0, 11, false, true},   // 11 parking photocell
        {1, 3, 12, true, false},   // 12 after-hours override
        {2, 0, 13, false, false},  // 13 master off
        {1, 2, 13, true, false},   // 14 cleaning crew
        {1, 0, 0, false, false},   // 15 spare
        {1, 0, 0, false, false},   // 16 spare
    };
    for (int n = 1; n <= 16; ++n)
        panel.SetRegister("9:" + Hex(static_cast<unsigned>(n), 2),
                          Hex(InputWord(inputs[n - 1]), 4));
    const SiteGroup groups[] = {
        {false, {1, 2}, 0, true},                          //  1 lobby
        {false, {3}, 0, true},                             //  2 reception
        {false, {4, 5}, 0, true},                          //  3 corridor east
        {false, {6, 7}, 0, true},                          //  4 corridor west
        {false, {8}, 0, true},                             //  5 office 101
        {false, {9}, 0, true},                             //  6 office 102
        {false, {10, 11}, 0, true},                        //  7 conference
        {false, {12}, 0, true},                            //  8 kitchen
        {false, {13}, 1, true},                            //  9 restrooms
        {false, {14}, 3, false},                           // 10 stairs
        {false, {15, 16}, 3, false},                       // 11 parking lot
        {true, {3, 4, 9}, 0, true},                        // 12 after hours
        {true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, true},  // 13 whole floor
    };
    for (int g = 1; g <= 60; ++g) {
        const std::string index = Hex(static_cast<unsigned>(g), 2);
        if (g > 13) {
            panel.SetRegister("3:" + index, MemberBytes({}));
            continue;
        }
        const SiteGroup& group = groups[g - 1];
        panel.SetRegister("21:" + index, group.super ? "1" : "0");
        panel.SetRegister("3:" + index, MemberBytes(group.members));
        panel.SetRegister("5:" + index, std::to_string(group.priority));
        panel.SetRegister("67:" + index, group.serialOn ? "1" : "0");
    }
    // Evening: the lobby switch and the photocell are closed, someone walked
    // down the east corridor, the conference room was switched on from the
    // desk and the stairs by hand.
    for (int input : {1, 3, 11}) panel.SetLiveInput(input, true);
    panel.Group(1) = {'0', 3, 1, 0, true};  // held by its maintained input
    panel.Group(3) = {'0', 4, 3, 0x02A3, false};
    panel.Group(7) = {'0', 1, 0, 0, false};
    panel.Group(10) = {'0', 5, 0, 0, false};
    panel.Group(11) = {'0', 3, 11, 0, true};
    panel.Group(5) = {'0', 2, 5, 0, false};
}

}  // namespace

std::unique_ptr<SimLine> MakeDemoLine() {
    auto line = std::make_unique<SimLine>();
    line->AddPanel(1, "WQ16", "0500");
    line->AddPanel(2, "KV-4800", "0400");
    line->AddPanel(3, "KV-4800", "0300");
    line->AddPanel(5, "KV-4900", "0109");
    line->AddPanel(7, "TMC-1400", "0400");
    line->AddPanel(17, "KV-4500", "0107", /*answersKv=*/false);

    FurnishOfficeFloor(*line->PanelAt(1));
    // The TMC-1400 reports relay 3 bad; group 3, which holds it, says so.
    SimPanel& tmc = *line->PanelAt(7);
    tmc.SetBadRelay(3, true);
    tmc.SetLiveInput(2, true);
    tmc.Group(2) = {'0', 3, 2, 0, false};
    tmc.Group(3) = {'2', 1, 0, 0, false};
    return line;
}

}  // namespace kvtk
