#pragma once
// Test doubles for the panel operations and live views: a panel that answers
// from a queue, a responder or by command (and address) from a script and
// records every call, and a host that records what the windows would show.
// Both can write into one shared log so that tests see the order of commands
// and waits.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/panel_exchange.h"
#include "tests/support/scripted_prompter.h"
#include "transfer/operations/operation_host.h"

namespace kvtk::test {

struct ExchangeCall {
    int Address;
    std::string Command;
    std::string Description;
    FailureStyle Style;
    int Attempts;   // the attempts setting when the call was made
    int DataChars;  // what the reply had to carry after its "A"
};

class ScriptedPanel : public PanelExchange {
public:
    explicit ScriptedPanel(std::vector<std::string>* log = nullptr) : log_(log) {}

    // Rules are tried in the order given; the first that matches and is not
    // used up answers. `times` < 0 never runs out.
    ScriptedPanel& Answer(const std::string& command, const std::string& reply, int times = -1) {
        rules_.push_back({std::nullopt, command, false, reply, times});
        return *this;
    }
    ScriptedPanel& AnswerPrefix(const std::string& prefix, const std::string& reply) {
        rules_.push_back({std::nullopt, prefix, true, reply, -1});
        return *this;
    }
    ScriptedPanel& AnswerAt(int address, const std::string& command, const std::string& reply,
                            int times = -1) {
        rules_.push_back({address, command, false, reply, times});
        return *this;
    }
    std::string DefaultReply = "AY";
    // Taken before the rules: queued replies in order, then the responder.
    std::deque<std::string> Queued;
    std::function<std::string(int address, const std::string& command)> Responder;

    int Attempts() const override { return attempts_; }
    void SetAttempts(int attempts) override { attempts_ = attempts; }

    // The commands sent, in order (empty ones left out).
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const auto& call : Calls)
            if (!call.Command.empty()) out.push_back(call.Command);
        return out;
    }
    // The commands sent, joined by blanks: one short text to compare.
    std::string Sent() const {
        std::string out;
        for (const auto& command : Commands()) out += (out.empty() ? "" : " ") + command;
        return out;
    }
    // The call that sent `command` (the first one).
    const ExchangeCall* Find(const std::string& command) const {
        for (const auto& call : Calls)
            if (call.Command == command) return &call;
        return nullptr;
    }

    std::vector<ExchangeCall> Calls;

protected:
    // A scripted "A" reply without the data asked for comes back as "C",
    // as the exchange returns it once its tries are spent.
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        Calls.push_back({address, command, description, style, attempts_, dataChars});
        if (command.empty()) return {};  // the port window's clear: nothing is sent
        if (log_) log_->push_back(">" + command);
        std::string reply = Script(address, command);
        if (!reply.empty() && reply[0] == 'A' && static_cast<int>(reply.size()) - 1 < dataChars)
            return "C";
        return reply;
    }

private:
    std::string Script(int address, const std::string& command) {
        if (!Queued.empty()) {
            std::string reply = std::move(Queued.front());
            Queued.pop_front();
            return reply;
        }
        if (Responder) return Responder(address, command);
        for (Rule& rule : rules_) {
            if (rule.Times == 0) continue;
            if (rule.Address && *rule.Address != address) continue;
            const bool match =
                rule.Prefix ? command.rfind(rule.Command, 0) == 0 : command == rule.Command;
            if (!match) continue;
            if (rule.Times > 0) --rule.Times;
            return rule.Reply;
        }
        return DefaultReply;
    }

    struct Rule {
        std::optional<int> Address;
        std::string Command;
        bool Prefix;
        std::string Reply;
        int Times;
    };
    std::vector<std::string>* log_;
    std::vector<Rule> rules_;
    int attempts_ = 2;
};

class RecordingHost : public OperationHost {
public:
    explicit RecordingHost(std::vector<std::string>* log = nullptr) : log_(log) {
        Prompts.answers = {MessageAnswer::Yes};
    }

    void Started(const OperationStarted& event) override {
        Event("started " + KindName(event.Kind) + Count(event.Steps));
    }
    void StepDone(const OperationStep& event) override {
        std::string text = "step " + event.Description;
        if (event.Number > 0) text += " (" + std::to_string(event.Number) + Count(event.Of) + ")";
        Event(text);
    }
    void Finished(const OperationFinished& event) override {
        Event("finished " + KindName(event.Kind) + (event.Completed ? " completed" : " stopped"));
    }

    void ShowResponseDescription(const std::string& text) override { Responses.push_back(text); }
    void ShowStatusLine(const std::string& text, LineTone tone) override {
        StatusLines.emplace_back(text, tone);
    }
    // Questions are answered by the script (Yes unless told otherwise).
    MessageAnswer Ask(const MessageRequest& request) override {
        Note("ask " + request.Title);
        return Prompts.Ask(request);
    }
    void ShowMessage(const std::string& text) override {
        Messages.push_back(text);
        Note("message " + text);
    }
    void Beep() override {
        ++Beeps;
        Note("beep");
    }
    void Wait(const TimedWait& wait) override {
        Waits.push_back(wait);
        Note("wait " + std::to_string(wait.Milliseconds));
    }
    ScriptedPrompter Prompts;
    // "started Write of 12", "step Input 3 (5 of 12)", "finished Read completed".
    std::vector<std::string> Events;
    std::vector<std::string> Responses;
    std::vector<std::pair<std::string, LineTone>> StatusLines;
    std::vector<std::string> Messages;
    std::vector<TimedWait> Waits;
    int Beeps = 0;

private:
    static std::string KindName(OperationKind kind) {
        switch (kind) {
            case OperationKind::Read:
                return "Read";
            case OperationKind::Write:
                return "Write";
            case OperationKind::BadRelayCheck:
                return "BadRelayCheck";
            case OperationKind::ProductCodeChange:
                return "ProductCodeChange";
        }
        return "?";
    }
    static std::string Count(int of) { return of > 0 ? " of " + std::to_string(of) : ""; }
    void Event(const std::string& text) {
        Events.push_back(text);
        Note(text);
    }
    void Note(const std::string& event) {
        if (log_) log_->push_back(event);
    }
    std::vector<std::string>* log_;
};

}  // namespace kvtk::test
