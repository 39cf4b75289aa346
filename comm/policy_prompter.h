#pragma once
// A prompter for programs without windows: every message is handed to a
// reporter (e.g. printed on stderr) and answered by a fixed policy, so an
// exchange with a failing panel always comes to an end.

#include <functional>

#include "model/prompter.h"

namespace kvtk {

enum class FailurePolicy {
    Ignore,  // skip what failed and go on (Ignore where offered, else Cancel)
    Abort,   // stop the operation (Abort or Cancel)
    Retry,   // retry up to a budget per run, then stop like Abort
};

class PolicyPrompter : public Prompter {
public:
    using Reporter = std::function<void(const MessageRequest&)>;

    explicit PolicyPrompter(FailurePolicy policy, Reporter reporter = {}, int retryBudget = 3);

    MessageAnswer Ask(const MessageRequest& request) override;
    int RetriesLeft() const { return retriesLeft_; }

private:
    FailurePolicy policy_;
    Reporter reporter_;
    int retriesLeft_;
};

}  // namespace kvtk
