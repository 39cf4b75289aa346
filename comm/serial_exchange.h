#pragma once
// The exchange of one frame over a serial line of panels: discard old input,
// send the frame, collect the reply line character by character (echo and
// busy dots handled), check its checksum and classify it.

#include <string>

namespace kvtk {

class ByteLink;
class ExchangeSettings;

// Collects one reply line from the characters a panel sends. Pure logic:
// the caller owns the clock and moves the deadline when told to.
class SerialReplyReader {
public:
    // A line longer than this without a carriage return is garbage; it is
    // dropped and no longer keeps the exchange waiting.
    static constexpr size_t kMaxLineLength = 4096;

    explicit SerialReplyReader(std::string frame) : frame_(std::move(frame)) {}

    // Takes one character. Returns true when a reply line beginning with
    // "A" is complete. `restartWait` tells whether the panel's silence
    // allowance starts again from now.
    bool Take(char ch, bool& restartWait);

    const std::string& Line() const { return line_; }
    bool LastWasCarriageReturn() const { return lastWasCr_; }

private:
    std::string frame_;
    std::string line_;
    bool lastWasCr_ = false;
    bool overlong_ = false;
};

// Turns a complete reply line into the reply class: "C" for a wrong
// checksum (and for the two-character line "A?"), else the line without
// its checksum.
std::string ClassifyReplyLine(const std::string& line);

// Sends `frame` on `link` and waits for the reply. Returns "A" + data, "C",
// "T" (no complete reply in time, offline, no usable link), another reply
// line as received, or what was collected when Cancel was turned on. Echo,
// busy dots and characters restart the wait only up to the settings' busy
// limit; then the try ends as "T".
std::string DoComm(ByteLink* link, const std::string& frame, ExchangeSettings& settings,
                   bool offline);

}  // namespace kvtk
