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
#include "transfer/operations/operation_host.h"

namespace kvtk::test {

struct ExchangeCall {
    int Address;
    std::string Command;
    std::string Description;
    int Style;
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

    // The commands sent, in order (the empty clearing call left out).
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
                           int style, int dataChars) override {
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
    explicit RecordingHost(std::vector<std::string>* log = nullptr) : log_(log) {}

    void ShowResponseDescription(const std::string& text) override { Responses.push_back(text); }
    void ShowStatusLine(const std::string& text, LineTone tone) override {
        StatusLines.emplace_back(text, tone);
    }
    bool AskYesNo(const std::string& title, const std::string& text) override {
        Questions.emplace_back(title, text);
        Note("ask " + title);
        return Answer;
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
    void ShowPortWindow(bool shown) override { Note(shown ? "port shown" : "port hidden"); }
    void SetMainWindowEnabled(bool enabled) override {
        MainEnabled = enabled;
        Note(enabled ? "main enabled" : "main disabled");
    }
    void SetBusyPointer(bool busy) override { Busy = busy; }
    void Repaint() override {}
    void ProcessEvents() override {}

    bool Answer = true;  // to every question
    std::vector<std::string> Responses;
    std::vector<std::pair<std::string, LineTone>> StatusLines;
    std::vector<std::pair<std::string, std::string>> Questions;
    std::vector<std::string> Messages;
    std::vector<TimedWait> Waits;
    int Beeps = 0;
    bool MainEnabled = true;
    bool Busy = false;

private:
    void Note(const std::string& event) {
        if (log_) log_->push_back(event);
    }
    std::vector<std::string>* log_;
};

}  // namespace kvtk::test
