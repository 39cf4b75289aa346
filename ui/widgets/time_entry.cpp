#include "ui/widgets/time_entry.h"

#include <algorithm>
#include <cstdio>

namespace kvtk {
namespace {

constexpr int kColon = 2;
constexpr int kLength = 5;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of a part read in order, blanks skipped: "1_" and "_1" read 1.
int PartValue(const std::string& part) {
    int value = 0;
    for (const char c : part)
        if (IsDigit(c)) value = value * 10 + (c - '0');
    return value;
}

std::string TwoDigits(int value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", std::clamp(value, 0, 99));
    return buf;
}

// A part that is not two digits: a leading digit above 0 becomes the units
// of the left part ("7_" -> "07") but the tens of the right part ("7_" -> "70").
std::string CompleteLeft(const std::string& part) {
    if (IsDigit(part[0]) && IsDigit(part[1])) return part;
    if (IsDigit(part[0]) && part[0] > '0') return std::string("0") + part[0];
    if (IsDigit(part[1]) && part[1] > '0') return std::string("0") + part[1];
    return "00";
}

std::string CompleteRight(const std::string& part, bool& beep) {
    if (IsDigit(part[0]) && IsDigit(part[1])) return part;
    if (IsDigit(part[0]) && part[0] > '0') {
        if (part[0] > '5') {
            beep = true;
            return "59";
        }
        return std::string(1, part[0]) + "0";
    }
    if (IsDigit(part[1]) && part[1] > '0') return std::string("0") + part[1];
    return "00";
}

void BlankRange(std::string& text, int start, int length) {
    for (int i = std::max(start, 0); i < std::min(start + length, kLength); ++i)
        if (i != kColon) text[static_cast<std::size_t>(i)] = kTimeBlank;
}

}  // namespace

std::string NormalizeTime(const std::string& text) {
    std::string result = kEmptyTime;
    const auto colon = text.find(':');
    if (text.size() >= kLength && colon == kColon) {
        for (int i : {0, 1, 3, 4})
            if (IsDigit(text[static_cast<std::size_t>(i)]))
                result[static_cast<std::size_t>(i)] = text[static_cast<std::size_t>(i)];
        return result;
    }
    // A short model value such as "1:5": each side right-aligned.
    const std::string left = text.substr(0, std::min(colon, text.size()));
    const std::string right = colon == std::string::npos ? "" : text.substr(colon + 1);
    auto place = [&](const std::string& part, int at) {
        std::string digits;
        for (const char c : part)
            if (IsDigit(c)) digits.push_back(c);
        if (digits.size() > 2) digits = TwoDigits(std::min(PartValue(digits), 99));
        for (std::size_t k = 0; k < digits.size(); ++k)
            result[static_cast<std::size_t>(at) + 2 - digits.size() + k] = digits[k];
    };
    place(left, 0);
    place(right, 3);
    return result;
}

std::optional<TimeEdit> TypeTimeDigit(const std::string& text, int caret, int selStart,
                                      int selLength, char digit) {
    TimeEdit edit{NormalizeTime(text), caret};
    int pos = caret;
    if (selLength > 0) {
        BlankRange(edit.Text, selStart, selLength);
        pos = selStart;
    }
    if (pos == kColon) ++pos;
    if (pos < 0 || pos >= kLength) return std::nullopt;
    edit.Text[static_cast<std::size_t>(pos)] = digit;
    edit.Caret = pos + 1 == kColon ? kColon + 1 : pos + 1;
    return edit;
}

TimeEdit EraseTimeBack(const std::string& text, int caret, int selStart, int selLength) {
    TimeEdit edit{NormalizeTime(text), caret};
    if (selLength > 0) {
        BlankRange(edit.Text, selStart, selLength);
        edit.Caret = selStart;
        return edit;
    }
    int pos = std::min(caret, kLength) - 1;
    if (pos == kColon) --pos;
    if (pos < 0) return edit;
    edit.Text[static_cast<std::size_t>(pos)] = kTimeBlank;
    edit.Caret = pos;
    return edit;
}

TimeEdit EraseTimeForward(const std::string& text, int caret, int selStart, int selLength) {
    TimeEdit edit{NormalizeTime(text), caret};
    if (selLength > 0) {
        BlankRange(edit.Text, selStart, selLength);
        edit.Caret = selStart;
        return edit;
    }
    int pos = caret == kColon ? kColon + 1 : caret;
    if (pos >= 0 && pos < kLength) edit.Text[static_cast<std::size_t>(pos)] = kTimeBlank;
    return edit;
}

bool TimeWithinLimits(const std::string& text, const TimeLimits& limits) {
    const std::string t = NormalizeTime(text);
    const int left = PartValue(t.substr(0, 2));
    const int right = PartValue(t.substr(3, 2));
    if (left > limits.UpperLeft || right > 59) return false;
    return !(left == limits.UpperLeft && right != 0);
}

TimeCompletion CompleteTime(const std::string& text, const TimeLimits& limits) {
    const std::string t = NormalizeTime(text);
    TimeCompletion done;
    std::string left = CompleteLeft(t.substr(0, 2));
    std::string right = CompleteRight(t.substr(3, 2), done.Beep);
    int leftValue = PartValue(left);
    int rightValue = PartValue(right);
    // A complete value from a file or a panel may still be out of range.
    if (rightValue > 59) {
        rightValue = 59;
        done.Beep = true;
    }
    if (leftValue > limits.UpperLeft || (leftValue == limits.UpperLeft && rightValue != 0)) {
        leftValue = limits.UpperLeft;
        rightValue = 0;
        done.Beep = true;
    }
    if (limits.AtLeastTenSeconds && leftValue == 0 && rightValue < 10) {
        rightValue = 10;
        done.Beep = true;
    }
    done.Text = TwoDigits(leftValue) + ":" + TwoDigits(rightValue);
    return done;
}

}  // namespace kvtk
