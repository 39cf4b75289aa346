#include "files/config_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>

#include "files/file_access.h"
#include "files/file_text.h"
#include "model/conversions.h"
#include "model/printable_text.h"
#include "model/products.h"
#include "model/register_widths.h"

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

// Options beyond the panel's byte, or digits other than 0 and 1, would be
// lost or misread on the way to the panel.
bool FitsSpecialOptions(const std::string& bits) {
    if (bits.find_first_not_of("01") != std::string::npos) return false;
    constexpr auto kBits = static_cast<size_t>(kSpecialOptionBits);
    return bits.size() <= kBits || bits.find('1', kBits) == std::string::npos;
}

std::string Quoted(const std::string& line) {
    return "\"" + line + "\"";
}

// Why a name cannot be kept, or nothing.
std::optional<std::string> NameProblem(const std::string& whose, const std::string& name) {
    const auto control = ControlCharacterIn(name);
    if (!control) return std::nullopt;
    return "The name of " + whose + " holds " + *control + ": " + kPrintableTextRule;
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
        if (auto failure = ReadPanelSection()) return *failure;
        if (!SkipUntilHeading("INPUT INFORMATION")) return EndOfFile();
        if (auto failure = ReadInputSection()) return *failure;
        if (auto failure = ReadGroupSection()) return *failure;
        return {};
    }

private:
    std::optional<std::string> NextLine() { return ReadField(in_); }

    static FileResult Refused(const std::string& why) {
        return OtherFailureResult(FileOutcome::Other, kFileErrorTitle, why, kValueNotHeld);
    }

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

    // Nothing when the section ended at its rule line.
    std::optional<FileResult> ReadPanelSection() {
        while (auto line = NextLine()) {
            if (IsRuleLine(*line)) return std::nullopt;
            if (auto kv = SplitKeyValue(*line))
                if (auto why = ApplyPanelValue(*line, *kv)) return Refused(*why);
        }
        return EndOfFile();
    }

    // A time the panel's register cannot hold is refused, not cut.
    static std::optional<std::string> TimerProblem(const std::string& line,
                                                   const std::string& value) {
        const auto seconds = TimerSeconds(value);
        if (!seconds) return Quoted(line) + " is not a time hh:mm";
        if (*seconds > kMaxRegisterSeconds)
            return Quoted(line) + " is longer than a panel's timer holds (18:12 at most)";
        return std::nullopt;
    }

    std::optional<std::string> SetTimer(int timer, const std::string& line,
                                        const std::string& value) {
        if (auto why = TimerProblem(line, value)) return why;
        config_.Panel.TimerDuration[static_cast<size_t>(timer)] = *TwoDigitClock(value);
        return std::nullopt;
    }

    std::optional<std::string> ApplyPanelValue(const std::string& line, const KeyValue& kv) {
        PanelConfig& panel = config_.Panel;
        const CapabilityLimits& lim = config_.Limits;
        const std::string& key = kv.Key;
        const std::string& value = kv.Value;
        if (key == "NAME") {
            if (auto why = NameProblem("the panel", value)) return why;
            SetPanelName(value);
            return std::nullopt;
        }
        if (namesOnly_) return std::nullopt;
        const int32_t number = IntegerValue(value);
        if (key == "ADDRESS") {
            if (!config_.Status.IsOnline()) panel.Address = std::to_string(Clamp(number, 0, 255));
        } else if (key == "INPUTS") {
            panel.NumInputs = std::to_string(Clamp(number, lim.MinInputs, lim.MaxInputs));
        } else if (key == "RELAYS") {
            panel.NumRelays = std::to_string(Clamp(number, lim.MinRelays, lim.MaxRelays));
        } else if (key == "TIMER 0") {
            timersFromZero_ = true;
            return SetTimer(1, line, value);
        } else if (key == "TIMER 1") {
            return SetTimer(timersFromZero_ ? 2 : 1, line, value);
        } else if (key == "TIMER 2") {
            return SetTimer(timersFromZero_ ? 3 : 2, line, value);
        } else if (key == "TIMER 3") {
            if (!timersFromZero_) return SetTimer(3, line, value);
        } else if (key == "FLASH ON TIME") {
            // Two digits of minutes at most: 99:59 is well within the register.
            const auto clock = TwoDigitClock(value);
            if (!clock) return Quoted(line) + " is not a time mm:ss";
            panel.OnTimeAfterFlash = *clock;
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
        return std::nullopt;
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
                if (namesOnly_) continue;
                if (!FitsSpecialOptions(kv->Value))
                    return Refused(Quoted(*line) +
                                   " is not the panel's 8 special options, each 0 or 1");
                config_.Panel.SpecialOptions = BitsFirstLowest(kv->Value);
                continue;
            }
            if (input < 1) continue;
            if (auto why = ApplyInputValue(input, *line, *kv, types)) return Refused(*why);
        }
        return EndOfFile();
    }

    std::optional<std::string> ApplyInputValue(int input, const std::string& line,
                                               const KeyValue& kv,
                                               const std::vector<std::string>& types) {
        InputConfig& in = config_.Inputs[static_cast<size_t>(input)];
        const std::string& key = kv.Key;
        if (key == "NAME") {
            if (auto why = NameProblem("input " + std::to_string(input), kv.Value)) return why;
            in.Name = kv.Value;
            return std::nullopt;
        }
        if (namesOnly_) return std::nullopt;
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
            // The input word has two bits for it: timers 0 (none) to 3.
            if (number < 0 || number > kMaxInputTimer)
                return Quoted(line) + " of input " + std::to_string(input) +
                       " is not a timer 0 to 3";
            in.Timer = static_cast<int16_t>(number);
        } else if (key == "FLASH") {
            in.Flash = OnValue(upper == "ON");
        } else if (key == "POLARITY") {
            in.Polarity = upper == "NORMALLY OPEN" ? 0 : 1;
        } else if (key == "ZONE" || key == "GROUP") {
            in.Group = static_cast<int16_t>(Clamp(number, lim.MinGroupNumber, lim.MaxGroups));
        }
        return std::nullopt;
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
                if (auto why = ApplyGroupValue(group, *line, *kv)) return Refused(*why);
        }
        return EndOfFile();
    }

    std::optional<std::string> ApplyGroupValue(int number, const std::string& line,
                                               const KeyValue& kv) {
        GroupConfig& group = config_.Groups[static_cast<size_t>(number)];
        const std::string& key = kv.Key;
        if (key == "NAME") {
            if (auto why = NameProblem("group " + std::to_string(number), kv.Value)) return why;
            group.Name = kv.Value;
            return std::nullopt;
        }
        if (namesOnly_) return std::nullopt;
        const std::string upper = ToUpper(kv.Value);
        if (key == "TYPE") {
            group.Type = upper == "NORMAL" ? 0 : 1;
        } else if (key == "RELAY" || key == "CHILD" || key == "GROUP" || key == "MEMBER") {
            // The member registers carry members 1 to 60 only.
            const int32_t member = IntegerValue(kv.Value);
            if (member < 1 || member > kMemberCount)
                return Quoted(line) + " of group " + std::to_string(number) +
                       " is not a member 1 to 60";
            group.SetMember(member, true);
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
        return std::nullopt;
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
