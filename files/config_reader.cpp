#include "files/config_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>

#include "files/file_access.h"
#include "files/file_text.h"
#include "model/conversions.h"
#include "model/products.h"

namespace kvtk {
namespace {

bool IsRuleLine(const std::string& line) {
    return StartsWith(line, "-----");
}

int32_t Clamp(int32_t value, int lo, int hi) {
    return std::clamp<int32_t>(value, lo, std::max(lo, hi));
}

// Bits written bit 0 first ("10100000" is options 1 and 3).
int32_t BitsFirstLowest(std::string bits) {
    std::reverse(bits.begin(), bits.end());
    return BitsToNumber(bits);
}

// Reads one configuration; keeps the state of one read (timer numbering,
// current input and group) and nothing beyond it.
class ConfigReader {
public:
    ConfigReader(std::istream& in, Configuration& config, ReadMode mode)
        : in_(in), config_(config), namesOnly_(mode == ReadMode::NamesOnly) {}

    FileResult Run() {
        if (!SkipUntilHeading("PANEL INFORMATION")) return EndOfFile();
        ClearPanelName();
        if (!ReadPanelSection()) return EndOfFile();
        if (!SkipUntilHeading("INPUT INFORMATION")) return EndOfFile();
        if (auto failure = ReadInputSection()) return *failure;
        if (auto failure = ReadGroupSection()) return *failure;
        return {};
    }

private:
    std::optional<std::string> NextLine() { return ReadField(in_); }

    FileResult EndOfFile() const {
        if (in_.bad())
            return OtherFailureResult(FileOutcome::Other, kFileErrorTitle,
                                      "The file could not be read", kUnreadableStream);
        return DamagedFileResult();
    }

    bool SkipUntilHeading(const std::string& heading) {
        while (auto line = NextLine())
            if (ToUpper(*line) == heading) return true;
        return false;
    }

    std::optional<size_t> CurrentAddress() const {
        const int32_t address = CountValue(config_.Panel.Address);
        if (address < 0 || address >= kAddressCount) return std::nullopt;
        return static_cast<size_t>(address);
    }

    void ClearPanelName() { SetPanelName({}); }

    void SetPanelName(const std::string& name) {
        if (auto address = CurrentAddress()) config_.AddressTable[*address].Name = name;
        config_.Panel.DeviceName = name;
    }

    bool ReadPanelSection() {
        while (auto line = NextLine()) {
            if (IsRuleLine(*line)) return true;
            if (auto kv = SplitKeyValue(*line)) ApplyPanelValue(*kv);
        }
        return false;
    }

    void ApplyPanelValue(const KeyValue& kv) {
        PanelConfig& panel = config_.Panel;
        const CapabilityLimits& lim = config_.Limits;
        const std::string& key = kv.Key;
        const std::string& value = kv.Value;
        if (key == "NAME") {
            SetPanelName(value);
            return;
        }
        if (namesOnly_) return;
        const int32_t number = IntegerValue(value);
        if (key == "ADDRESS") {
            if (!config_.Status.IsOnline()) panel.Address = std::to_string(Clamp(number, 0, 255));
        } else if (key == "INPUTS") {
            panel.NumInputs = std::to_string(Clamp(number, lim.MinInputs, lim.MaxInputs));
        } else if (key == "RELAYS") {
            panel.NumRelays = std::to_string(Clamp(number, lim.MinRelays, lim.MaxRelays));
        } else if (key == "TIMER 0") {
            timersFromZero_ = true;
            panel.TimerDuration[1] = value;
        } else if (key == "TIMER 1") {
            panel.TimerDuration[timersFromZero_ ? 2 : 1] = value;
        } else if (key == "TIMER 2") {
            panel.TimerDuration[timersFromZero_ ? 3 : 2] = value;
        } else if (key == "TIMER 3") {
            if (!timersFromZero_) panel.TimerDuration[3] = value;
        } else if (key == "FLASH ON TIME") {
            panel.OnTimeAfterFlash = value;
        } else if (key == "FLASH OFF TIME") {
            const auto& list = FlashOffTimeList();
            const bool listed = std::find(list.begin(), list.end(), value) != list.end();
            panel.FlashOffTime = listed ? value : list[2];
        } else if (key == "REFRESH DURATION") {
            SelectRefresh(value);
        } else if (key == "RELAY ENERGIZE DURATION" || key == "RELAY ENERGIZER DURATION") {
            SelectEnergize(value);
        } else if (key == "UNITS AT 0V") {
            panel.UnitsAt0V = IsNumericText(value) ? value : "0";
        } else if (key == "UNITS AT 5V") {
            panel.UnitsAt5V = IsNumericText(value) ? value : "0";
        }
    }

    void SelectRefresh(const std::string& value) {
        const auto& list = RelayRefreshList();
        const double wanted = NumericValue(value);
        auto hit = std::find_if(list.begin(), list.end(), [&](const std::string& entry) {
            return NumericValue(entry) == wanted;
        });
        config_.Panel.RelayRefresh = hit != list.end() ? *hit : list.back();
    }

    void SelectEnergize(const std::string& value) {
        PanelConfig& panel = config_.Panel;
        if (panel.EnergizeList.empty())
            panel.EnergizeList = BuildEnergizeList(config_.Identity.Model);
        const int64_t m = RoundHalfEven(NumericValue(value) / 0.012);
        const int64_t last = static_cast<int64_t>(panel.EnergizeList.size()) - 1;
        const int64_t j = std::clamp<int64_t>(130 - m, 0, last);
        panel.RelayEnergize = panel.EnergizeList[static_cast<size_t>(j)];
    }

    std::optional<FileResult> ReadInputSection() {
        int input = 0;
        const std::vector<std::string> types =
            InputTypeNames(VersionValue(config_.Identity.Version));
        while (auto line = NextLine()) {
            if (IsRuleLine(*line)) return std::nullopt;
            const std::string upper = ToUpper(*line);
            if (auto numberText = HeadingNumberText(upper, "LINE #", "INPUT #")) {
                const double n = NumericValue(*numberText);
                if (n < 1 || n > kInputCount)
                    return OtherFailureResult(
                        FileOutcome::Other, kFileErrorTitle,
                        "Input number " + NumberText(n) + " is outside 1 to 120",
                        kInputNumberOutOfRange);
                input = RoundHalfEven(n);
                config_.Inputs[static_cast<size_t>(input)].Name.clear();
                continue;
            }
            auto kv = SplitKeyValue(*line);
            if (!kv) continue;
            // Only a line whose key is the option itself: a name such as
            // "Special option lights" is a name.
            if (StartsWith(kv->Key, "SPECIAL OPTION")) {
                if (!namesOnly_) config_.Panel.SpecialOptions = BitsFirstLowest(kv->Value);
                continue;
            }
            if (input >= 1) ApplyInputValue(config_.Inputs[static_cast<size_t>(input)], *kv, types);
        }
        return EndOfFile();
    }

    void ApplyInputValue(InputConfig& in, const KeyValue& kv,
                         const std::vector<std::string>& types) {
        const std::string& key = kv.Key;
        if (key == "NAME") {
            in.Name = kv.Value;
            return;
        }
        if (namesOnly_) return;
        const std::string upper = ToUpper(kv.Value);
        const int32_t number = IntegerValue(kv.Value);
        const CapabilityLimits& lim = config_.Limits;
        if (key == "CONTACT TYPE") {
            in.Type = kMomentaryOn;
            for (size_t i = 0; i < types.size(); ++i) {
                if (ToUpper(types[i]) == upper) {
                    in.Type = static_cast<int16_t>(i);
                    break;
                }
            }
        } else if (key == "TIMER") {
            // The panel has timers 0 (none) to 3 only. Another number is ignored
            // and the input keeps its timer, as an unknown priority keeps its
            // priority: neither a timer the file did not name nor a value the
            // input editor cannot show.
            if (number >= 0 && number <= kTimerCount) in.Timer = static_cast<int16_t>(number);
        } else if (key == "FLASH") {
            in.Flash = OnValue(upper == "ON");
        } else if (key == "POLARITY") {
            in.Polarity = upper == "NORMALLY OPEN" ? 0 : 1;
        } else if (key == "ZONE" || key == "GROUP") {
            in.Group = static_cast<int16_t>(Clamp(number, lim.MinGroupNumber, lim.MaxGroups));
        }
    }

    std::optional<FileResult> ReadGroupSection() {
        int group = 0;
        while (auto line = NextLine()) {
            if (IsRuleLine(*line)) return std::nullopt;
            const std::string upper = ToUpper(*line);
            if (auto numberText = HeadingNumberText(upper, "ZONE #", "GROUP #")) {
                const double g = NumericValue(*numberText);
                if (g < 0 || g > kGroupCount)
                    return OtherFailureResult(
                        FileOutcome::Other, kFileErrorTitle,
                        "Group number " + NumberText(g) + " is outside 0 to 60",
                        kGroupNumberOutOfRange);
                group = RoundHalfEven(g);
                GroupConfig& record = config_.Groups[static_cast<size_t>(group)];
                record.Name.clear();
                if (!namesOnly_) record.Members.fill(0);
                continue;
            }
            // Group 0 is a valid heading, but nothing under it is stored.
            if (group < 1) continue;
            if (auto kv = SplitKeyValue(*line))
                ApplyGroupValue(config_.Groups[static_cast<size_t>(group)], *kv);
        }
        return EndOfFile();
    }

    void ApplyGroupValue(GroupConfig& group, const KeyValue& kv) {
        const std::string& key = kv.Key;
        if (key == "NAME") {
            group.Name = kv.Value;
            return;
        }
        if (namesOnly_) return;
        const std::string upper = ToUpper(kv.Value);
        if (key == "TYPE") {
            group.Type = upper == "NORMAL" ? 0 : 1;
        } else if (key == "RELAY" || key == "CHILD" || key == "GROUP" || key == "MEMBER") {
            group.SetMember(IntegerValue(kv.Value), true);
        } else if (key == "PRIORITY") {
            if (upper == "NONE")
                group.Priority = 0;
            else if (upper == "ON")
                group.Priority = 1;
            else if (upper == "OFF")
                group.Priority = 2;
            else if (upper == "ON/OFF" || upper == "ON / OFF")
                group.Priority = 3;
        } else if (key == "SERIAL OVERRIDE") {
            group.SerialOnPriority = OnValue(upper == "ENABLED");
        } else if (key == "CONSTANT FLASH") {
            group.ConstantFlash = OnValue(upper == "ENABLED");
        }
    }

    std::istream& in_;
    Configuration& config_;
    const bool namesOnly_;
    bool timersFromZero_ = false;
};

}  // namespace

FileResult ReadConfigStream(std::istream& in, Configuration& config, ReadMode mode) {
    return ConfigReader(in, config, mode).Run();
}

FileResult ReadConfigFile(const std::string& fileName, Configuration& config, ReadMode mode) {
    std::string text;
    if (FileResult opened = ReadWholeFile(fileName, text); !opened.Ok()) return opened;
    std::istringstream in(std::move(text));
    return ReadConfigStream(in, config, mode);
}

}  // namespace kvtk
