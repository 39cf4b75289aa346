#pragma once
// What a read found in the panel's registers, kept as the write commands
// that would set each register to what it already holds. A write of the
// changes only sends what is not in here: a register the read skipped, or
// never asked for (inputs above the panel's count, say), is always sent,
// and so is one whose read spelling differs from its write spelling.

#include <set>
#include <string>

#include "model/panel_exchange.h"

namespace kvtk {

class RegisterContents {
public:
    // A read command ("LR905") and its accepted reply ("A1234").
    void Record(const std::string& readCommand, const std::string& reply);
    // True when `writeCommand` ("LW9051234") would store what the register holds.
    bool Holds(const std::string& writeCommand) const;
    bool Empty() const { return held_.empty(); }

private:
    std::set<std::string> held_;
};

// Passes a read through and records every register reply the panel accepted.
class RegisterRecorder : public ForwardingExchange {
public:
    RegisterRecorder(PanelExchange& inner, RegisterContents& contents)
        : ForwardingExchange(inner), contents_(contents) {}

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override;

private:
    RegisterContents& contents_;
};

}  // namespace kvtk
