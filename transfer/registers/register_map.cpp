#include "transfer/registers/register_map.h"

#include <algorithm>
#include <cstdio>

#include "model/conversions.h"
#include "model/register_widths.h"
#include "transfer/registers/firmware_conditions.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

bool IsTransferRow(int row) {
    return row >= kFirstTransferRow && row <= kLastHeaderRow;
}

const HeaderRegister& RowOf(int row) {
    return HeaderRegisters()[static_cast<size_t>(row - 1)];
}

std::string WritePrefix(int row) {
    return "LW" + RowOf(row).Register;
}

std::string Hex2(double value) {
    return NumberToHex(value, 2);
}

std::string Hex4(double value) {
    return NumberToHex(value, kSecondsDigits);
}

std::string TwoDigitPair(int32_t a, int32_t b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", static_cast<int>(a), static_cast<int>(b));
    return buf;
}

int TimerNumber(int row) {
    return row - kRowTimer1 + 1;
}

// Flash off codes of the KV-4500 below 1.1, keyed by tenths of a second.
std::optional<std::string> FlashOffCode(int tenths) {
    static const std::array<std::pair<int, const char*>, 14> kCodes{{
        {5, "04"},
        {6, "07"},
        {7, "08"},
        {8, "09"},
        {10, "0A"},
        {11, "0C"},
        {12, "0D"},
        {13, "0E"},
        {14, "0F"},
        {15, "10"},
        {16, "11"},
        {17, "12"},
        {18, "13"},
        {20, "14"},
    }};
    for (const auto& [key, code] : kCodes)
        if (key == tenths) return code;
    return std::nullopt;
}

}  // namespace

const std::array<HeaderRegister, kLastHeaderRow>& HeaderRegisters() {
    static const std::array<HeaderRegister, kLastHeaderRow> rows{{
        {1, "Device Address", "73"},
        {2, "Maximum Number of Inputs", "65"},
        {3, "Maximum Number of Relays", "64"},
        {4, "Time On After Flash", "61"},
        {5, "Flash Off Time", "62"},
        {6, "Timer 1 Duration", "41"},
        {7, "Timer 2 Duration", "42"},
        {8, "Timer 3 Duration", "43"},
        {9, "Relay Refresh Time", "66"},
        {10, "Relay Energize Time", "63"},
        {11, "Special Options", "24"},
    }};
    return rows;
}

std::string HeaderReadCommand(int row) {
    if (row < 1 || row > kLastHeaderRow) return {};
    return "LR" + RowOf(row).Register;
}

int HeaderReplyChars(int row) {
    const bool seconds = row == kRowOnTimeAfterFlash || (row >= kRowTimer1 && row <= kRowTimer3);
    return seconds ? 4 : 2;
}

std::optional<std::string> FlashOffWriteValue(const std::string& text, bool codeTable) {
    // Only a list entry has a panel spelling; no selection sends nothing
    // rather than a flash off time of zero.
    const int32_t tenths = RoundHalfEven(NumericValue(text) * 10);
    const auto& list = FlashOffTimeList();
    const bool listed = std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
        return RoundHalfEven(NumericValue(entry) * 10) == tenths;
    });
    if (!listed) return std::nullopt;
    if (codeTable) return FlashOffCode(tenths);
    return Hex2(tenths);
}

std::optional<std::string> HeaderWriteCommand(int row, const PanelConfig& panel,
                                              const ProductIdentity& identity) {
    if (!IsTransferRow(row)) return std::nullopt;
    const std::string prefix = WritePrefix(row);
    switch (row) {
        case kRowInputCount:
            return prefix + Hex2(NumericValue(panel.NumInputs));
        case kRowRelayCount:
            return prefix + Hex2(NumericValue(panel.NumRelays));
        case kRowOnTimeAfterFlash: {
            std::string clock = "00:" + panel.OnTimeAfterFlash;
            return prefix + Hex4(TimeToSeconds(clock));
        }
        case kRowFlashOffTime: {
            const auto value =
                FlashOffWriteValue(panel.FlashOffTime, UsesFlashOffCodeTable(identity));
            if (!value) return std::nullopt;
            return prefix + *value;
        }
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3: {
            std::string clock = panel.TimerDuration[static_cast<size_t>(TimerNumber(row))];
            return prefix + Hex4(TimeToSeconds(clock));
        }
        case kRowRelayRefresh:
            return prefix + Hex2(NumericValue(panel.RelayRefresh));  // "OFF" reads as 0
        case kRowRelayEnergize:
            return prefix + Hex2(NumericValue(panel.RelayEnergize) / 0.012 + 0.0001);
        case kRowSpecialOptions:
            return prefix + Hex2(panel.SpecialOptions & 0xFF);
        default:
            return std::nullopt;
    }
}

bool HeaderValueHeld(int row, const PanelConfig& panel) {
    switch (row) {
        case kRowOnTimeAfterFlash:
            return OnTimeSeconds(panel.OnTimeAfterFlash).has_value();
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3: {
            const auto seconds =
                TimerSeconds(panel.TimerDuration[static_cast<size_t>(TimerNumber(row))]);
            return seconds && *seconds <= kMaxRegisterSeconds;
        }
        case kRowSpecialOptions:
            return panel.SpecialOptions >= 0 && panel.SpecialOptions < (1 << kSpecialOptionBits);
        default:
            return true;
    }
}

std::string HeaderWriteDescription(int row, const PanelConfig& panel) {
    switch (row) {
        case kRowInputCount:
            return "Input Count = " + panel.NumInputs;
        case kRowRelayCount:
            return "Relay Count = " + panel.NumRelays;
        case kRowOnTimeAfterFlash:
            return "Flash On Time = " + panel.OnTimeAfterFlash;
        case kRowFlashOffTime:
            return "Flash Off Time = " + panel.FlashOffTime;
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3:
            return "Timer " + std::to_string(TimerNumber(row)) +
                   " Duration = " + panel.TimerDuration[static_cast<size_t>(TimerNumber(row))];
        case kRowRelayRefresh:
            return "Relay Refresh = " + panel.RelayRefresh;
        case kRowRelayEnergize:
            return "Energize Duration = " + panel.RelayEnergize;
        case kRowSpecialOptions:
            return "Special Options";
        default:
            return {};
    }
}

int32_t DecodeCount(const std::string& reply) {
    return ReplyHex(reply, 2, 2);
}

std::string DecodeOnTimeAfterFlash(const std::string& reply) {
    // Whole minutes and seconds, so that 60:00 (3600 s) reads back as
    // 60:00 and not as the "00:00" left of "01:00:00"; the field shows at
    // most two digits of minutes.
    const int32_t seconds = std::min(ReplyHex(reply, 2, 4), 99 * 60 + 59);
    return TwoDigitPair(seconds / 60, seconds % 60);
}

std::string DecodeTimerDuration(const std::string& reply) {
    // A short reply carries fewer digits; their value still makes a time.
    const std::string clock = HexSecondsToTime(Hex4(ReplyHex(reply, 2, 4)));
    return clock.substr(0, 5);
}

std::string DecodeFlashOffTime(const std::string& reply) {
    const int32_t tenths = std::clamp(ReplyHex(reply, 2, 2), 5, 20);
    const std::string text = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    const auto& list = FlashOffTimeList();
    return std::find(list.begin(), list.end(), text) != list.end() ? text : std::string{};
}

std::string DecodeRelayRefresh(const std::string& reply) {
    const int32_t minutes = ReplyHex(reply, 2, 2);
    const auto& list = RelayRefreshList();
    if (minutes == 0) return list.back();  // "OFF"
    return list[static_cast<size_t>(30 - std::clamp(minutes, 3, 30))];
}

std::string DecodeRelayEnergize(const std::string& reply,
                                const std::vector<std::string>& energizeList) {
    if (energizeList.empty()) return {};
    const int32_t last = static_cast<int32_t>(energizeList.size()) - 1;
    const int32_t index = std::clamp(130 - ReplyHex(reply, 2, 2), 0, last);
    return energizeList[static_cast<size_t>(index)];
}

int32_t DecodeSpecialOptions(const std::string& reply) {
    return ReplyHex(reply, 2, 2);
}

std::string ApplyHeaderReply(int row, const std::string& reply, PanelConfig& panel) {
    switch (row) {
        case kRowInputCount:
            panel.NumInputs = std::to_string(DecodeCount(reply));
            return panel.NumInputs;
        case kRowRelayCount:
            panel.NumRelays = std::to_string(DecodeCount(reply));
            return panel.NumRelays;
        case kRowOnTimeAfterFlash:
            panel.OnTimeAfterFlash = DecodeOnTimeAfterFlash(reply);
            return panel.OnTimeAfterFlash;
        case kRowFlashOffTime:
            panel.FlashOffTime = DecodeFlashOffTime(reply);
            return panel.FlashOffTime;
        case kRowTimer1:
        case kRowTimer2:
        case kRowTimer3: {
            auto& text = panel.TimerDuration[static_cast<size_t>(TimerNumber(row))];
            text = DecodeTimerDuration(reply);
            return text;
        }
        case kRowRelayRefresh:
            panel.RelayRefresh = DecodeRelayRefresh(reply);
            return panel.RelayRefresh;
        case kRowRelayEnergize:
            panel.RelayEnergize = DecodeRelayEnergize(reply, panel.EnergizeList);
            return panel.RelayEnergize;
        case kRowSpecialOptions: {
            panel.SpecialOptions = DecodeSpecialOptions(reply);
            int16_t bits = 8;
            return NumberToBits(panel.SpecialOptions, bits);
        }
        default:
            return {};
    }
}

std::string AddressWriteCommand(int newAddress) {
    return "LW73" + Hex2(newAddress);
}

std::string ProductCodeCommand(int productCode) {
    return "LW1" + Hex2(productCode);
}

MemoryCheckResult DecodeMemoryCheck(const std::string& reply) {
    if (!IsAcceptedReply(reply)) return {"Unknown", "Unknown"};
    auto result = [&](int position) -> std::string {
        const std::string c = ReplyChars(reply, position, 1);
        if (c.empty()) return "Unknown";
        return c == "0" ? "OK" : "Error!";
    };
    return {result(2), result(3)};
}

}  // namespace kvtk
