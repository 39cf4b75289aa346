#pragma once
// Names and descriptions are printable 8-bit text: a control character (NUL,
// BEL, TAB, ESC, ...) would pass unseen into the .kvx file, the CSV and the
// report, and from there to other programs.

#include <optional>
#include <string>

namespace kvtk {

// What a name or description may hold, for refusals.
inline constexpr const char* kPrintableTextRule =
    "a name or description holds letters, digits, blanks and the other printable characters "
    "of Windows-1252, no control characters (U+0000 to U+001F, U+007F)";

bool IsControlCharacter(char32_t c);

// The first control character of 8-bit text in words ("the control character
// TAB (U+0009)"), or nothing when the text is printable.
std::optional<std::string> ControlCharacterIn(const std::string& text);

// The same words for one character.
std::string ControlCharacterText(char32_t c);

}  // namespace kvtk
