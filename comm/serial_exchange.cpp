#include "comm/serial_exchange.h"

#include <algorithm>

#include "comm/byte_link.h"
#include "comm/exchange_settings.h"
#include "comm/exchange_wait.h"
#include "comm/wire_format.h"
#include "model/panel_reply.h"

namespace kvtk {

bool SerialReplyReader::Take(char ch, bool& restartWait) {
    restartWait = false;
    if (ch == '.') {  // the panel is busy: start again
        line_.clear();
        overlong_ = false;
        lastWasCr_ = false;
        restartWait = true;
        return false;
    }
    if (ch == kCarriageReturn) {
        lastWasCr_ = true;
        if (overlong_) {
            overlong_ = false;
            line_.clear();
            return false;
        }
        if (line_ + ch == frame_) {  // the panel echoed our frame
            line_.clear();
            restartWait = true;
            return false;
        }
        return !line_.empty() && line_[0] == 'A';
    }
    lastWasCr_ = false;
    if (overlong_) return false;
    if (line_.size() >= kMaxLineLength) {
        line_.clear();
        overlong_ = true;
        return false;
    }
    line_ += ch;
    restartWait = true;
    return false;
}

std::string ClassifyReplyLine(const std::string& line) {
    if (!ReplyChecksumOk(line)) return kGarbledReply;
    return line.size() > 2 ? line.substr(0, line.size() - 2) : line;
}

std::string DoComm(ByteLink* link, const std::string& frame, ExchangeSettings& settings,
                   bool offline) {
    if (offline || link == nullptr || !link->isOpen()) return kNoResponseReply;
    link->discardInput();
    if (!link->write(ToBytes(frame))) return kNoResponseReply;

    ExchangeWait wait(settings);
    wait.WakeOn(link, &ByteLink::readyRead);
    wait.WakeOn(link, &ByteLink::linkLost);
    const double allowance = settings.TryWaitMs();
    double deadline =
        wait.NowMs() + static_cast<double>(frame.size()) * kCharacterMs + allowance + kCharacterMs;
    // Busy dots restart the wait, but endless ones must not hold the line.
    const double limit = std::max(deadline, wait.NowMs() + settings.BusyLimitMs());

    SerialReplyReader reader(frame);
    bool complete = false;
    for (;;) {
        if (link->isOpen()) {
            const QByteArray bytes = link->readAll();
            if (!bytes.isEmpty()) settings.SetHeard(true);
            for (const char ch : bytes) {
                bool restart = false;
                complete = reader.Take(ch, restart);
                if (restart) deadline = std::min(wait.NowMs() + allowance, limit);
                if (complete) break;  // whatever follows is discarded with the next frame
            }
        }
        if (complete || settings.Cancel() || !link->isOpen()) break;
        if (wait.NowMs() >= deadline) break;
        wait.WaitUntil(deadline);
    }

    if (complete) return ClassifyReplyLine(reader.Line());
    if (settings.Cancel()) return reader.Line();
    // A line that did not begin with "A" is returned as received; an echo
    // alone, silence or a half line is a time-out.
    if (reader.LastWasCarriageReturn() && !reader.Line().empty()) return reader.Line();
    return kNoResponseReply;
}

}  // namespace kvtk
