#pragma once
#include <string>

namespace kvtk {

// One command to one panel address and its classified reply: "A" + data
// accepted, "C" garbled, "T" no response, "I" ignored by the user, empty
// when cancelled. Styles 0..5 choose the failure message (0: none).
// Implemented by the communication layer; tests script it.
class PanelExchange {
public:
    virtual ~PanelExchange() = default;
    virtual std::string Exchange(int address, const std::string& command,
                                 const std::string& description, int style) = 0;

    // The number of tries before a failure is reported. The address change
    // forces 4 tries for its save and restores the setting afterwards; an
    // exchange without such a setting keeps these defaults.
    virtual int Attempts() const { return 0; }
    virtual void SetAttempts(int /*attempts*/) {}
};

// Passes everything to another exchange, the attempts setting included; a
// wrapper that watches or labels the traffic overrides Exchange only.
class ForwardingExchange : public PanelExchange {
public:
    explicit ForwardingExchange(PanelExchange& inner) : inner_(inner) {}
    std::string Exchange(int address, const std::string& command, const std::string& description,
                         int style) override {
        return inner_.Exchange(address, command, description, style);
    }
    int Attempts() const override { return inner_.Attempts(); }
    void SetAttempts(int attempts) override { inner_.SetAttempts(attempts); }

private:
    PanelExchange& inner_;
};

}  // namespace kvtk
