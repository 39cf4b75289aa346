#pragma once
// A prompter that records every message and answers from a script (the
// last answer repeats).

#include <deque>
#include <vector>

#include "model/prompter.h"

namespace kvtk::test {

class ScriptedPrompter : public Prompter {
public:
    MessageAnswer Ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) return MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        if (answers.size() > 1) answers.pop_front();
        return answer;
    }

    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> asked;
};

}  // namespace kvtk::test
