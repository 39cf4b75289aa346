#include "transfer/live/live_sender.h"

#include "model/conversions.h"

namespace kvtk {

const std::string& LiveSender::Send(const std::string& command, int dataChars) {
    if (stopped_) {
        lastReply_.clear();
        return lastReply_;
    }
    lastReply_ = exchange_.Exchange(IntegerValue(config_.Panel.Address), command, "",
                                    FailureStyle::RetryCancel, dataChars);
    return lastReply_;
}

}  // namespace kvtk
