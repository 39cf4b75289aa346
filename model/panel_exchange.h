#pragma once
#include <string>

namespace kvtk {

// What an exchange shows when it fails: nothing, or a message box with one
// of the standard button sets, numbered as MessageButtons numbers them.
enum class FailureStyle {
    Silent = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

// One command to one panel address and its classified reply: "A" + data
// accepted, "C" garbled, "T" no response, "I" ignored by the user, empty
// when cancelled (model/panel_reply.h tells them apart). The style chooses
// the failure message.
// `dataChars` is what the reply must carry after its "A": a register read
// needs the digits its register holds, an acknowledgement nothing. A reply
// with less is no reply; it is retried and reported as a garbled one.
// Implemented by the communication layer; tests script it.
class PanelExchange {
public:
    virtual ~PanelExchange() = default;
    std::string Exchange(int address, const std::string& command, const std::string& description,
                         FailureStyle style, int dataChars = 0) {
        return DoExchange(address, command, description, style, dataChars);
    }

    // The number of tries before a failure is reported. The address change
    // forces 4 tries for its save and restores the setting afterwards; an
    // exchange without such a setting keeps these defaults.
    virtual int Attempts() const { return 0; }
    virtual void SetAttempts(int /*attempts*/) {}

    // Quick tries for a scan: while on, each exchange makes one try whose
    // wait is the line's wire time for the frame and its reply plus a short
    // margin. Returns that wait in ms, or 0 where the exchange cannot
    // shorten its wait (then nothing changes).
    virtual int SetQuickTries(bool /*on*/) { return 0; }
    // Whether anything at all came back (a character, a busy dot, a line)
    // during the last exchange. True where it cannot be told, so a caller
    // looks again rather than pass over a panel.
    virtual bool HeardAnything() const { return true; }

protected:
    virtual std::string DoExchange(int address, const std::string& command,
                                   const std::string& description, FailureStyle style,
                                   int dataChars) = 0;
};

// Passes everything to another exchange, the attempts setting included; a
// wrapper that watches or labels the traffic overrides DoExchange only.
class ForwardingExchange : public PanelExchange {
public:
    explicit ForwardingExchange(PanelExchange& inner) : inner_(inner) {}
    int Attempts() const override { return inner_.Attempts(); }
    void SetAttempts(int attempts) override { inner_.SetAttempts(attempts); }
    int SetQuickTries(bool on) override { return inner_.SetQuickTries(on); }
    bool HeardAnything() const override { return inner_.HeardAnything(); }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        return inner_.Exchange(address, command, description, style, dataChars);
    }

private:
    PanelExchange& inner_;
};

}  // namespace kvtk
