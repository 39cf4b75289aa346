#include "comm/policy_prompter.h"

namespace kvtk {

PolicyPrompter::PolicyPrompter(FailurePolicy policy, Reporter reporter, int retryBudget)
    : policy_(policy), reporter_(std::move(reporter)), retriesLeft_(retryBudget) {}

MessageAnswer PolicyPrompter::Ask(const MessageRequest& request) {
    if (reporter_) reporter_(request);
    const auto buttons = request.Buttons;
    const bool hasRetry =
        buttons == MessageButtons::AbortRetryIgnore || buttons == MessageButtons::RetryCancel;
    if (policy_ == FailurePolicy::Retry && hasRetry && retriesLeft_ > 0) {
        --retriesLeft_;
        return MessageAnswer::Retry;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::AbortRetryIgnore:
            return policy_ == FailurePolicy::Ignore ? MessageAnswer::Ignore : MessageAnswer::Abort;
        default:
            // Sets without Ignore or Abort: Cancel stops the exchange, also for
            // Yes/No, where it stands for a dismissed box.
            return MessageAnswer::Cancel;
    }
}

}  // namespace kvtk
