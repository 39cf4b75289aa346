#include "ui/widgets/text_convert.h"

#include "model/windows1252.h"

namespace kvtk {
namespace {

char16_t FromByte(unsigned char byte) {
    return static_cast<char16_t>(Windows1252Character(byte));
}

// Characters Windows-1252 cannot hold become "?".
char ToByte(char16_t unit) {
    unsigned char byte = 0;
    return Windows1252Byte(unit, byte) ? static_cast<char>(byte) : '?';
}

}  // namespace

QString ToQString(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) result.append(QChar(FromByte(static_cast<unsigned char>(c))));
    return result;
}

std::string ToCoreText(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        // A surrogate pair is one character the panel cannot show.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        result.push_back(ToByte(ch.unicode()));
    }
    return result;
}

}  // namespace kvtk
