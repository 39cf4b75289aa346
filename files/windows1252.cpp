#include "files/windows1252.h"

#include <cstdio>

#include "model/windows1252.h"

namespace kvtk {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one character at `i` and moves past it; false for anything that
// is not well-formed UTF-8 (overlong forms and surrogates included).
bool NextCharacter(std::string_view s, std::size_t& i, char32_t& c) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return false;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text)
        AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(byte)));
    return out;
}

Windows1252Text Utf8ToWindows1252(std::string_view utf8) {
    Windows1252Text result;
    result.Text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        if (!NextCharacter(utf8, i, c)) {
            result.Failure = Windows1252Text::Problem::NotUtf8;
            return result;
        }
        unsigned char byte = 0;
        if (!Windows1252Byte(c, byte)) {
            result.Failure = Windows1252Text::Problem::NoByte;
            result.Refused = c;
            return result;
        }
        result.Text += static_cast<char>(byte);
    }
    return result;
}

std::string CodePointText(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

}  // namespace kvtk
