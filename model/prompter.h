#pragma once
// Message boxes asked by the communication layer and the panel operations.
// The windows show real message boxes, the command-line companion answers by
// policy or by its options, tests script the answers.

#include <string>

namespace kvtk {

// The standard button sets, numbered as the message styles use them.
enum class MessageButtons {
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

enum class MessageIcon { Critical, Question, Exclamation, Information };

enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MessageRequest {
    std::string Title;
    std::string Text;
    MessageButtons Buttons = MessageButtons::Ok;
    MessageIcon Icon = MessageIcon::Exclamation;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows the message and returns the button pressed. Cancel is also the
    // answer of a box that was dismissed without a button.
    virtual MessageAnswer Ask(const MessageRequest& request) = 0;
};

}  // namespace kvtk
