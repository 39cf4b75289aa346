#pragma once
// The panel's 8-bit text (Windows-1252) to and from UTF-8, for files that
// other programs write and read; any 8-bit text survives the way out and back.

#include <string>
#include <string_view>

namespace kvtk {

std::string Windows1252ToUtf8(std::string_view text);

struct Windows1252Text {
    enum class Problem { None, NotUtf8, NoByte };
    std::string Text;  // complete only when Problem is None
    Problem Failure = Problem::None;
    char32_t Refused = 0;  // the character without a byte (NoByte)
    bool Ok() const { return Failure == Problem::None; }
};

// Refuses text that is not UTF-8 and characters the code page cannot hold.
Windows1252Text Utf8ToWindows1252(std::string_view utf8);

// A character as a reader can find it: U+20AC.
std::string CodePointText(char32_t c);

}  // namespace kvtk
