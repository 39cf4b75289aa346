#pragma once
// The communication layer's message boxes as real message boxes: the
// standard button sets 0 to 5 and the four icons. Tests answer instead.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "model/prompter.h"

namespace kvtk {

class MessagePrompter : public Prompter {
public:
    using Answerer = std::function<MessageAnswer(const MessageRequest&)>;

    explicit MessagePrompter(QWidget* parent = nullptr) : parent_(parent) {}

    MessageAnswer Ask(const MessageRequest& request) override;

    // Replaces the message box (tests script the answers).
    void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
    void SetParent(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
    Answerer answerer_;
};

}  // namespace kvtk
