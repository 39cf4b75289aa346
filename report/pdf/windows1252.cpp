#include "report/pdf/windows1252.h"

#include "model/windows1252.h"

namespace kvtk {

QString FromWindows1252(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text)
        result += QChar(static_cast<char16_t>(Windows1252Character(static_cast<unsigned char>(c))));
    return result;
}

}  // namespace kvtk
