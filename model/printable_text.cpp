#include "model/printable_text.h"

#include <cstdio>

#include "model/windows1252.h"

namespace kvtk {

// The C0 controls and DEL: what terminals, spreadsheets and the file's line
// splitting act on. The five bytes the code page leaves undefined stay text.
bool IsControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

std::string ControlCharacterText(char32_t c) {
    const char* name = nullptr;
    switch (c) {
        case 0x00:
            name = "NUL ";
            break;
        case 0x07:
            name = "BEL ";
            break;
        case 0x08:
            name = "BS ";
            break;
        case 0x09:
            name = "TAB ";
            break;
        case 0x0A:
            name = "LF ";
            break;
        case 0x0D:
            name = "CR ";
            break;
        case 0x1B:
            name = "ESC ";
            break;
        case 0x7F:
            name = "DEL ";
            break;
        default:
            name = "";
            break;
    }
    char code[16];
    std::snprintf(code, sizeof code, "(U+%04X)", static_cast<unsigned>(c));
    return std::string("the control character ") + name + code;
}

std::optional<std::string> ControlCharacterIn(const std::string& text) {
    for (const char byte : text) {
        const char32_t c = Windows1252Character(static_cast<unsigned char>(byte));
        if (IsControlCharacter(c)) return ControlCharacterText(c);
    }
    return std::nullopt;
}

}  // namespace kvtk
