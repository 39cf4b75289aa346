#pragma once
// Cuts the byte stream from the relay server into answer lines. A line ends
// at a carriage return or line feed, however the stream was split into
// reads; empty lines (the second line-end character) are skipped. A line
// that grows beyond the limit without an end is dropped up to its end, so a
// flooding server cannot grow memory.

#include <QByteArray>
#include <functional>
#include <string>

namespace kvtk {

class RelayLineSplitter {
public:
    static constexpr qsizetype kMaxLineLength = 64 * 1024;

    // Feeds received bytes and calls `onLine` for each completed line.
    void Feed(const QByteArray& bytes, const std::function<void(const std::string&)>& onLine);
    // The start of a line not yet ended.
    const QByteArray& Partial() const { return partial_; }
    void DropPartial() { partial_.clear(); }
    void Clear();

private:
    QByteArray partial_;
    bool skipping_ = false;
};

// A command answer: the leading decimal digits are the sequence number,
// the rest is the reply line. Returns false when the line has no number.
bool SplitAnswer(const std::string& line, int& number, std::string& rest);

}  // namespace kvtk
