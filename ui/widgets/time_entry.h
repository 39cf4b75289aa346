#pragma once
// Editing rules of the "##:##" time fields, free of widgets so that they can
// be checked on their own. A field's text is always five characters: two
// digits or blanks, the fixed colon, two digits or blanks. kTimeBlank marks a
// position not typed yet.

#include <optional>
#include <string>

namespace kvtk {

inline constexpr char kTimeBlank = '_';
inline constexpr const char* kEmptyTime = "__:__";

struct TimeLimits {
    int UpperLeft = 18;              // 60 for minutes:seconds, 18 for hours:minutes
    bool AtLeastTenSeconds = false;  // the on time after flash starts at 00:10
};
inline constexpr TimeLimits kOnTimeAfterFlashLimits{60, true};  // 00:10 to 60:00
inline constexpr TimeLimits kTimerLimits{18, false};            // 00:00 to 18:00

// The text and caret after an edit.
struct TimeEdit {
    std::string Text;
    int Caret = 0;
};

// Any text (a model value such as "10:00", "1:5" or junk) in the five
// character form; positions that are not digits become blanks.
std::string NormalizeTime(const std::string& text);

// The edit a digit key would make: the digit replaces the selection (which
// is blanked) or the character at the caret, stepping over the colon.
// Nothing when the caret stands after the last position.
std::optional<TimeEdit> TypeTimeDigit(const std::string& text, int caret, int selStart,
                                      int selLength, char digit);
// Backspace blanks the selection or the position before the caret.
TimeEdit EraseTimeBack(const std::string& text, int caret, int selStart, int selLength);
// Delete blanks the selection or the position at the caret.
TimeEdit EraseTimeForward(const std::string& text, int caret, int selStart, int selLength);

// Whether a typed text stays within the limits: left part at most the upper
// limit, right part at most 59, and nothing after the upper limit but 00.
// Blank positions do not count ("1_" reads as 1).
bool TimeWithinLimits(const std::string& text, const TimeLimits& limits);

// Completes every part that is not two digits, then forces the value into
// its range. Beep tells whether the completion had to correct a value.
struct TimeCompletion {
    std::string Text;  // "hh:mm" / "mm:ss", always two digits each
    bool Beep = false;
};
TimeCompletion CompleteTime(const std::string& text, const TimeLimits& limits);

}  // namespace kvtk
