#include "sim/sim_panel.h"

#include <algorithm>
#include <cctype>

#include "sim/sim_text.h"

namespace kvtk {

using sim::Hex;
using sim::ParseHex;

namespace {

// Registers by number; the two-digit ones are tried first, and no one-digit
// register is the first digit of a two-digit one, so the split is unique.
const std::vector<std::string>& TwoDigitRegisters() {
    static const std::vector<std::string> list = {"65", "64", "61", "62", "41", "42",
                                                  "43", "66", "63", "24", "23", "78",
                                                  "72", "73", "21", "67", "26", "27"};
    return list;
}
const std::vector<std::string>& OneDigitRegisters() {
    static const std::vector<std::string> list = {"9", "3", "5", "1", "8"};
    return list;
}
bool IsIndexed(const std::string& number) {
    return number == "9" || number == "21" || number == "3" || number == "5" || number == "67";
}
bool IsInputRegister(const std::string& number) {
    return number == "9";
}
// Live readings and self-tests: the panel refuses to have them written.
bool IsReadOnly(const std::string& number) {
    return number == "8" || number == "26" || number == "27" || number == "72";
}

struct ProductCode {
    const char* model;
    int code;
};
constexpr ProductCode kProductCodes[] = {
    {"TMC-1400", 1}, {"KV-5500", 6}, {"KV-4900", 5}, {"KV-4800", 4}, {"KV-4700", 3},
    {"KV-4600", 2},  {"KV-4500", 0}, {"KV-4300", 7}, {"KV-1400", 8}, {"WQ08", 9},
    {"WQ16", 10},    {"WQ32", 11},   {"WQ48", 12},   {"WQ60", 13},
};

// "4.00", "4.00+", "0400" or "400" -> the 4 digits of the "KV" answer.
std::string FourDigitVersion(const std::string& text) {
    std::string digits;
    bool point = false;
    int decimals = 0;
    for (char c : text) {
        if (c == '.') {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            if (point && decimals == 2) break;
            digits += c;
            if (point) ++decimals;
        } else {
            break;
        }
    }
    if (point) digits.append(static_cast<size_t>(2 - decimals), '0');
    if (digits.size() > 4) digits = digits.substr(digits.size() - 4);
    return std::string(4 - digits.size(), '0') + digits;
}

std::string MemberBits(int item, int bytes) {
    std::string text;
    for (int k = 0; k < bytes; ++k) {
        unsigned byte = 0;
        if (item >= 8 * k + 1 && item <= 8 * k + 8) byte = 1u << (item - 8 * k - 1);
        text += Hex(byte, 2);
    }
    return text;
}

}  // namespace

SimPanelProfile ProfileFor(const std::string& model, double version) {
    SimPanelProfile profile;
    if (model == "KV-4800") {
        profile.inputs = 16;
        profile.relays = 8;
        profile.groups = version < 4.0 ? 12 : 60;
        profile.oneByteMembers = version < 4.0;
        return profile;
    }
    if (version < 1.1) {
        profile.groups = 30;
        profile.earlyInputWords = true;
    }
    if (model.rfind("WQ", 0) == 0 && model.size() == 4) {
        const int relays = std::atoi(model.c_str() + 2);
        if (relays >= 1 && relays <= 60) profile.relays = relays;
    }
    return profile;
}

int ProductCodeOf(const std::string& model) {
    for (const auto& entry : kProductCodes)
        if (model == entry.model) return entry.code;
    return -1;
}

SimPanel::SimPanel(int address, std::string model, std::string version, bool answersKv)
    : address_(address),
      savedAddress_(address),
      model_(std::move(model)),
      savedModel_(model_),
      version_(FourDigitVersion(version)),
      answersKv_(answersKv),
      profile_(ProfileFor(model_, VersionValue())) {
    PowerOn();
    saved_ = registers_;
}

double SimPanel::VersionValue() const {
    return std::atoi(version_.c_str()) / 100.0;
}

void SimPanel::PowerOn() {
    const auto& p = profile_;
    registers_.clear();
    registers_["65"] = Hex(static_cast<unsigned>(p.inputs), 2);
    registers_["64"] = Hex(static_cast<unsigned>(p.relays), 2);
    registers_["61"] = Hex(600, 4);  // 10:00 on after flash
    registers_["62"] = "05";         // 0.5 s flash off
    registers_["41"] = Hex(3600, 4);
    registers_["42"] = Hex(7200, 4);
    registers_["43"] = Hex(10800, 4);
    registers_["66"] = "00";                                // refresh off
    registers_["63"] = model_ == "TMC-1400" ? "0D" : "04";  // 0.156 s / 0.048 s
    registers_["24"] = "00";
    registers_["23"] = std::string(16, '0');
    registers_["78"] = std::string(16, '0');
    registers_["72"] = "00";
    const int code = ProductCodeOf(model_);
    registers_["1"] = Hex(static_cast<unsigned>(code < 0 ? 0 : code), 2);
    registers_["8"] = std::string(static_cast<size_t>((p.inputs + 7) / 8 * 2), '0');
    for (int n = 1; n <= p.inputs; ++n) {
        const unsigned group = static_cast<unsigned>((n - 1) % p.groups + 1);
        // Momentary On (type 1), no timer, no flash, normally open.
        const unsigned word = p.earlyInputWords ? (group & 0x1F) + 1 * 32 : group + 1 * 64;
        registers_["9:" + Hex(static_cast<unsigned>(n), 2)] = Hex(word, 4);
    }
    const int memberBytes = p.oneByteMembers ? 1 : 8;
    for (int g = 1; g <= p.groups; ++g) {
        const std::string index = Hex(static_cast<unsigned>(g), 2);
        registers_["21:" + index] = "0";
        registers_["3:" + index] = MemberBits(g, memberBytes);
        registers_["5:" + index] = "0";
        registers_["67:" + index] = "1";
    }
    groups_.fill(SimGroupState{});
    analog_ = {0, 0x00, 0x33, 0x66, 0x80, 0xCC, 0xFF};
    writeEnabled_ = false;
    saveEnabled_ = false;
}

std::string SimPanel::Register(const std::string& name) const {
    if (name == "73") return Hex(static_cast<unsigned>(address_), 4);
    if (name == "26") return Hex(std::min(analog_[5], 0xFFu), 2);
    const auto it = registers_.find(name);
    return it == registers_.end() ? std::string() : it->second;
}

void SimPanel::SetRegister(const std::string& name, const std::string& value) {
    registers_[name] = value;
}

std::string SimPanel::SavedRegister(const std::string& name) const {
    const auto it = saved_.find(name);
    return it == saved_.end() ? std::string() : it->second;
}

SimGroupState& SimPanel::Group(int group) {
    return groups_.at(static_cast<size_t>(std::clamp(group, 0, 60)));
}

bool SimPanel::GroupOn(int group) const {
    const int code = groups_.at(static_cast<size_t>(std::clamp(group, 0, 60))).lastSwitched;
    return code == 1 || code == 3 || code == 4 || code == 5;
}

void SimPanel::SetBit(const std::string& reg, int item, bool on, int bytes) {
    std::string text = Register(reg);
    text.resize(static_cast<size_t>(bytes * 2), '0');
    const size_t at = static_cast<size_t>((item - 1) / 8 * 2);
    unsigned byte = ParseHex(text.substr(at, 2)).value_or(0);
    const unsigned bit = 1u << ((item - 1) % 8);
    byte = on ? (byte | bit) : (byte & ~bit);
    text.replace(at, 2, Hex(byte, 2));
    registers_[reg] = text;
}

void SimPanel::SetLiveInput(int input, bool active) {
    if (input < 1 || input > profile_.inputs) return;
    SetBit("8", input, active, (profile_.inputs + 7) / 8);
}

void SimPanel::SetBadRelay(int relay, bool bad) {
    if (relay < 1 || relay > 64) return;
    SetBit("78", relay, bad, 8);
}

void SimPanel::SetAnalog(int channel, unsigned raw) {
    if (channel >= 1 && channel <= 6) analog_[static_cast<size_t>(channel)] = raw & 0xFFFF;
}

unsigned SimPanel::Analog(int channel) const {
    return channel >= 1 && channel <= 6 ? analog_[static_cast<size_t>(channel)] : 0;
}

std::optional<std::string> SimPanel::Handle(const std::string& command) {
    received_.push_back(command);
    if (command == "KV") {
        if (!answersKv_) return std::nullopt;
        std::string model = model_.substr(0, 9);
        model.resize(9, ' ');
        return "A" + model + version_;
    }
    if (command.rfind("LR", 0) == 0) return Read(command.substr(2));
    if (command.rfind("LW", 0) == 0) return Write(command.substr(2));
    if (command.rfind("LS", 0) == 0) return System(command.substr(2));
    if (command.size() > 1 && command[0] == 'L') return LiveGroups(command.substr(1));
    return std::nullopt;
}

std::optional<SimPanel::RegisterAddress> SimPanel::SplitRegister(const std::string& text) const {
    RegisterAddress address;
    for (const auto& number : TwoDigitRegisters())
        if (text.rfind(number, 0) == 0) address.number = number;
    if (address.number.empty())
        for (const auto& number : OneDigitRegisters())
            if (text.rfind(number, 0) == 0) address.number = number;
    if (address.number.empty()) return std::nullopt;
    std::string rest = text.substr(address.number.size());
    if (IsIndexed(address.number)) {
        if (rest.size() < 2) return std::nullopt;
        address.index = rest.substr(0, 2);
        std::transform(address.index.begin(), address.index.end(), address.index.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        rest = rest.substr(2);
        if (!IndexInRange(address.number, address.index)) return std::nullopt;
    }
    address.rest = rest;
    return address;
}

bool SimPanel::IndexInRange(const std::string& number, const std::string& index) const {
    const auto value = ParseHex(index);
    if (!value || *value < 1) return false;
    const int limit = IsInputRegister(number) ? profile_.inputs : profile_.groups;
    return static_cast<int>(*value) <= limit;
}

std::optional<std::string> SimPanel::Read(const std::string& text) {
    const auto reg = SplitRegister(text);
    if (!reg) return std::nullopt;
    if (reg->number == "27") {
        // Analog channels: first channel and count, 2 hex digits each.
        if (reg->rest.size() != 4) return std::nullopt;
        const auto first = ParseHex(reg->rest.substr(0, 2));
        const auto count = ParseHex(reg->rest.substr(2, 2));
        if (!first || !count || *first < 1 || *count < 1 || *first + *count - 1 > 6)
            return std::nullopt;
        std::string reply = "A";
        for (unsigned c = *first; c < *first + *count; ++c) reply += Hex(analog_[c], 4);
        return reply;
    }
    if (!reg->rest.empty()) return std::nullopt;
    const std::string name = reg->index.empty() ? reg->number : reg->number + ":" + reg->index;
    const std::string value = Register(name);
    if (value.empty() && registers_.find(name) == registers_.end() && name != "73")
        return std::nullopt;
    return "A" + value;
}

std::optional<std::string> SimPanel::Write(const std::string& text) {
    const auto reg = SplitRegister(text);
    if (!reg) return std::nullopt;
    if (IsReadOnly(reg->number)) return "AN";
    if (requireWriteEnable_ && !writeEnabled_) return "AN";
    if (reg->number == "78" && reg->rest.empty()) {
        registers_["78"] = std::string(16, '0');
        return "AY";
    }
    if (reg->rest.empty()) return "AN";
    if (reg->number == "73") {
        const auto address = reg->rest.size() == 2 ? ParseHex(reg->rest) : std::nullopt;
        if (!address || *address < 1 || *address > 255) return "AN";
        address_ = static_cast<int>(*address);  // answers at the new address from now on
        return "AY";
    }
    if (reg->number == "1") {
        const auto code = reg->rest.size() == 2 ? ParseHex(reg->rest) : std::nullopt;
        if (!code) return "AN";
        for (const auto& entry : kProductCodes) {
            if (entry.code == static_cast<int>(*code)) {
                model_ = entry.model;
                registers_["1"] = reg->rest;
                return "AY";
            }
        }
        return "AN";
    }
    const std::string name = reg->index.empty() ? reg->number : reg->number + ":" + reg->index;
    std::string& value = registers_[name];
    // A member write of fewer bytes than the register holds (the KV-4800's
    // one byte) changes those bytes only; the panel still answers all.
    if (reg->number == "3" && reg->rest.size() < value.size())
        value = reg->rest + value.substr(reg->rest.size());
    else
        value = reg->rest;
    return "AY";
}

std::optional<std::string> SimPanel::System(const std::string& word) {
    if (word == "WEN") {
        writeEnabled_ = true;
        return "AY";
    }
    if (word == "U") {
        writeEnabled_ = false;
        saveEnabled_ = false;
        return "AY";
    }
    if (word == "AVE_EN") {
        saveEnabled_ = true;
        return "AY";
    }
    if (word == "YS_SAVE") {
        if (!saveEnabled_) return "AN";
        saved_ = registers_;
        savedAddress_ = address_;
        savedModel_ = model_;
        saveEnabled_ = false;
        ++saveCount_;
        return "AY";
    }
    if (word == "RESET83") {
        ++resetCount_;
        model_ = savedModel_;
        address_ = savedAddress_;
        PowerOn();
        registers_ = saved_;
        return "AY";
    }
    return std::nullopt;
}

std::string SimPanel::StateRecord(int group) const {
    const SimGroupState& state = groups_[static_cast<size_t>(group)];
    std::string record(1, manualMode_ ? '8' : state.status);
    record += static_cast<char>('0' + std::clamp(state.lastSwitched, 0, 9));
    if (state.lastSwitched >= 2 && state.lastSwitched <= 4)
        record += Hex(static_cast<unsigned>(state.input), 2);
    if (state.lastSwitched == 4) record += Hex(static_cast<unsigned>(state.timerSeconds), 4);
    return record;
}

std::optional<std::string> SimPanel::LiveGroups(const std::string& codes) {
    if (codes.empty() || codes.size() % 2 != 0) return std::nullopt;
    std::vector<unsigned> parsed;
    for (size_t i = 0; i < codes.size(); i += 2) {
        const auto code = ParseHex(codes.substr(i, 2));
        if (!code) return std::nullopt;
        const int group = static_cast<int>(*code & 0x3F);
        const unsigned action = *code & 0xC0;
        if (action == 0x40 || group < 1 || group > profile_.groups) return std::nullopt;
        parsed.push_back(*code);
    }
    std::string reply = "A";
    for (unsigned code : parsed) {
        const int group = static_cast<int>(code & 0x3F);
        const unsigned action = code & 0xC0;
        if (action != 0 && !manualMode_) {
            const bool on = action == 0xC0;
            std::vector<int> targets = {group};
            // A supergroup switches its member groups with it.
            const std::string index = Hex(static_cast<unsigned>(group), 2);
            if (Register("21:" + index) == "1") {
                const std::string members = Register("3:" + index);
                for (int k = 1; k <= profile_.groups; ++k) {
                    const size_t at = static_cast<size_t>((k - 1) / 8 * 2);
                    if (at + 2 > members.size()) break;
                    const auto byte = ParseHex(members.substr(at, 2));
                    if (byte && ((*byte >> ((k - 1) % 8)) & 1u) && k != group) targets.push_back(k);
                }
            }
            for (int target : targets) {
                SimGroupState& state = groups_[static_cast<size_t>(target)];
                if (state.locked) continue;
                if (state.status == '4') state.status = '0';
                state.lastSwitched = on ? 1 : 0;
                state.input = 0;
                state.timerSeconds = 0;
            }
        }
        reply += StateRecord(group);
    }
    return reply;
}

}  // namespace kvtk
