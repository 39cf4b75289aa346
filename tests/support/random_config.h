#pragma once
// Random configurations holding only values the file format carries unchanged.

#include <cstdint>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>

#include "tests/support/product_config.h"

namespace kvtk::test {

// Lines joined with CR LF, each line ended.
inline std::string CrLf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// The first line at which two texts part, with its number; empty when they
// are equal. Keeps a failed comparison of two whole files readable.
inline std::string FirstDifferentLine(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    for (int n = 1; a || e; ++n) {
        std::string lineA, lineE;
        std::getline(a, lineA);
        std::getline(e, lineE);
        if (lineA != lineE)
            return "line " + std::to_string(n) + ": " + lineA + " | expected: " + lineE;
    }
    return {};
}

class RandomConfigMaker {
public:
    explicit RandomConfigMaker(uint32_t seed) : rng_(seed) {}

    Configuration Make(const std::string& model, const std::string& version) {
        Configuration c = ConfigFor(model, version);
        const CapabilityLimits& lim = c.Limits;
        PanelConfig& p = c.Panel;
        const int address = Int(0, 255);
        p.Address = std::to_string(address);
        p.DeviceName = Name();
        c.AddressTable[static_cast<size_t>(address)].Name = p.DeviceName;
        p.NumInputs = std::to_string(Int(lim.MinInputs, lim.MaxInputs));
        p.NumRelays = std::to_string(Int(lim.MinRelays, lim.MaxRelays));
        for (int t = 1; t <= kTimerCount; ++t) p.TimerDuration[static_cast<size_t>(t)] = Clock(18);
        p.OnTimeAfterFlash = Clock(60);
        p.FlashOffTime = Pick(FlashOffTimeList());
        p.RelayRefresh = Pick(RelayRefreshList());
        p.RelayEnergize = Pick(p.EnergizeList);
        p.SpecialOptions = Int(0, 255);
        p.UnitsAt0V = Units();
        p.UnitsAt5V = Units();

        const auto types = InputTypeNames(VersionValue(version));
        for (int n = 1; n <= kInputCount; ++n) {
            InputConfig& in = c.Inputs[static_cast<size_t>(n)];
            in.Name = Name();
            in.Type = static_cast<int16_t>(Int(0, static_cast<int>(types.size()) - 1));
            in.Polarity = static_cast<int16_t>(Int(0, 1));
            in.Group = static_cast<int16_t>(Int(lim.MinGroupNumber, lim.MaxGroups));
            in.Timer = static_cast<int16_t>(Int(0, 3));
            in.Flash = OnValue(Int(0, 1) == 1);
        }
        for (int g = 1; g <= kGroupCount; ++g) {
            GroupConfig& group = c.Groups[static_cast<size_t>(g)];
            group.Name = Name();
            group.Type = static_cast<int16_t>(lim.SupergroupsAllowed ? Int(0, 1) : 0);
            // Only members the file can carry: 1..MaxRelays.
            for (int k = 1; k <= kMemberCount; ++k)
                group.SetMember(k, k <= lim.MaxRelays && Int(0, 3) == 0);
            group.Priority = static_cast<int16_t>(Int(0, 3));
            group.SerialOnPriority = OnValue(Int(0, 1) == 1);
            group.ConstantFlash = OnValue(Int(0, 1) == 1);
        }
        return c;
    }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class List>
    std::string Pick(const List& list) {
        return list[static_cast<size_t>(Int(0, static_cast<int>(list.size()) - 1))];
    }
    std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }
    // Within the editors' range: 00:00 to maxHigh:00.
    std::string Clock(int maxHigh) {
        const int high = Int(0, maxHigh);
        return Two(high) + ":" + Two(high == maxHigh ? 0 : Int(0, 59));
    }
    std::string Units() {
        static const char* const kUnits[] = {"0", "100", "-12.5", "3.75", "1e3", "250"};
        return kUnits[Int(0, 5)];
    }
    // Names the file carries unchanged: no comma, no double quote, no line
    // end, no blank at either end, and a last character not below "0".
    // Heading-like and option-like texts are included on purpose.
    std::string Name() {
        static const char* const kTricky[] = {"Switch line #4", "Group #3 lights",  "Zone #7",
                                              "Input #2 spare", "Special option 1", "A=B",
                                              "-----x",         "Caf\xE9 Hall",     "Line #9"};
        if (Int(0, 4) == 0) return kTricky[Int(0, 8)];
        static const std::string kChars =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 #-/().!=&'\xE9\xFC";
        std::string name;
        const int length = Int(0, 20);
        for (int i = 0; i < length; ++i)
            name += kChars[static_cast<size_t>(Int(0, static_cast<int>(kChars.size()) - 1))];
        while (!name.empty() &&
               (name.back() == ' ' || static_cast<unsigned char>(name.back()) < '0'))
            name.pop_back();
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        return name;
    }

    std::mt19937 rng_;
};

}  // namespace kvtk::test
