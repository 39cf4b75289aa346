#include "comm/relay_lines.h"

#include <cctype>

namespace kvtk {

void RelayLineSplitter::Feed(const QByteArray& bytes,
                             const std::function<void(const std::string&)>& onLine) {
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        if (skipping_) {
            if (end < size) skipping_ = false;
        } else if (partial_.size() + (end - start) > kMaxLineLength) {
            partial_.clear();
            skipping_ = end == size;
        } else {
            partial_.append(bytes.constData() + start, end - start);
            if (end < size && !partial_.isEmpty()) {
                const std::string line(partial_.constData(), static_cast<size_t>(partial_.size()));
                partial_.clear();
                onLine(line);
            }
        }
        start = end + 1;
    }
}

void RelayLineSplitter::Clear() {
    partial_.clear();
    skipping_ = false;
}

bool SplitAnswer(const std::string& line, int& number, std::string& rest) {
    size_t digits = 0;
    while (digits < line.size() && digits < 6 &&
           std::isdigit(static_cast<unsigned char>(line[digits])))
        ++digits;
    if (digits == 0) return false;
    number = std::stoi(line.substr(0, digits));
    rest = line.substr(digits);
    return true;
}

}  // namespace kvtk
