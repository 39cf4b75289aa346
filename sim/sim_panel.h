#pragma once
// One simulated panel: its identity, every register, the system commands
// and the live state of its groups, inputs and analog channels. It answers
// commands without address and checksum; the line (sim_line.h) does the
// framing.
//
// Register names used by Register()/SetRegister():
//   panel-wide registers by number: "65", "64", "61", "62", "41", "42",
//   "43", "66", "63", "24", "23", "78", "72", "73", "1" (product code),
//   "8" (live inputs), "26" (analog channel 5);
//   indexed registers as number ":" index in 2 upper-case hex digits, as on
//   the wire: "9:05" (input 5), "21:01", "3:01", "5:01", "67:01" (group 1).
// Values are the digit texts exactly as the panel answers them ("0258").
// "73" and "26" are computed from Address() and Analog(5); setting them has
// no effect on the answers.
//
// Commands the panel answers (anything else gets no answer at all, as a
// panel that does not know a command stays silent):
//   "KV"            "A" + model padded to 9 + 4-digit version (not when
//                   answersKv is false)
//   "LR<reg>[idx]"  "A" + stored value; "LR73" gives the address in 4 hex
//                   digits; "LR27" + first channel + count (2 hex each)
//                   gives 4 hex digits per analog channel
//   "LW<reg>[idx]<value>"  stores the value exactly as sent, "AY"; "AN" when
//                   writes are disabled (only with RequireWriteEnable) or
//                   the value is empty; "LW78" alone clears the bad-relay
//                   flags; "LW73" + 2 hex digits moves the panel to that
//                   address after answering; "LW1" + code changes the
//                   product ("AN" for an unknown code)
//   "LSWEN", "LSU", "LSAVE_EN"      "AY"
//   "LSYS_SAVE"     "AY" and the working registers become the saved ones
//                   ("AN" when LSAVE_EN did not come first)
//   "LSRESET83"     "AY"; the panel restarts from its saved registers
//   "L" + codes     live group control, one state record per code

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kvtk {

// Live state of one group as the panel reports it in "L" replies.
struct SimGroupState {
    char status = '4';     // status digit: '4' = not commanded since power up
    int lastSwitched = 0;  // 0 to 6: what last switched it (on for 1, 3, 4, 5)
    int input = 0;         // input number, reported for codes 2 to 4
    int timerSeconds = 0;  // remaining timer time, reported for code 4
    bool locked = false;   // refuses serial commands (a priority input holds it)
};

// Limits the panel's product and firmware give it.
struct SimPanelProfile {
    int inputs = 120;
    int relays = 60;
    int groups = 60;
    bool oneByteMembers = false;   // member registers answer 2 hex digits
    bool earlyInputWords = false;  // input words in the early bit layout
};
SimPanelProfile ProfileFor(const std::string& model, double version);

// Product code of the "LW1" command for a model, or -1.
int ProductCodeOf(const std::string& model);

class SimPanel {
public:
    // version: 4 digits as the "KV" answer spells it ("0400") or a version
    // text ("4.00").
    SimPanel(int address, std::string model, std::string version, bool answersKv = true);

    std::optional<std::string> Handle(const std::string& command);

    const std::vector<std::string>& Received() const { return received_; }
    void ClearReceived() { received_.clear(); }

    int Address() const { return address_; }
    const std::string& Model() const { return model_; }
    const std::string& Version() const { return version_; }  // 4 digits
    double VersionValue() const;
    bool AnswersKv() const { return answersKv_; }
    const SimPanelProfile& Profile() const { return profile_; }

    // Working register contents; empty text for a register the panel lacks.
    std::string Register(const std::string& name) const;
    void SetRegister(const std::string& name, const std::string& value);
    // Contents last saved with LSYS_SAVE (power-on values before that).
    std::string SavedRegister(const std::string& name) const;

    bool WriteEnabled() const { return writeEnabled_; }
    // When set, writes before "LSWEN" (or after "LSU") answer "AN".
    void SetRequireWriteEnable(bool on) { requireWriteEnable_ = on; }
    int SaveCount() const { return saveCount_; }
    int ResetCount() const { return resetCount_; }

    // Live state for tests and demonstrations.
    SimGroupState& Group(int group);  // 1 to 60
    bool GroupOn(int group) const;
    void SetManualMode(bool on) { manualMode_ = on; }
    void SetLiveInput(int input, bool active);  // updates register "8"
    void SetAnalog(int channel, unsigned raw);  // channel 1 to 6
    unsigned Analog(int channel) const;
    void SetBadRelay(int relay, bool bad);  // updates register "78"

private:
    struct RegisterAddress {
        std::string number;
        std::string index;  // empty for a register without index
        std::string rest;   // the value digits of a write
    };
    std::optional<RegisterAddress> SplitRegister(const std::string& text) const;
    bool IndexInRange(const std::string& number, const std::string& index) const;
    std::optional<std::string> Read(const std::string& text);
    std::optional<std::string> Write(const std::string& text);
    std::optional<std::string> System(const std::string& word);
    std::optional<std::string> LiveGroups(const std::string& codes);
    std::string StateRecord(int group) const;
    void PowerOn();
    void SetBit(const std::string& reg, int item, bool on, int bytes);

    int address_;
    int savedAddress_;
    std::string model_;
    std::string savedModel_;
    std::string version_;
    bool answersKv_;
    SimPanelProfile profile_;
    std::map<std::string, std::string> registers_;
    std::map<std::string, std::string> saved_;
    std::array<SimGroupState, 61> groups_{};
    std::array<unsigned, 7> analog_{};
    bool writeEnabled_ = false;
    bool saveEnabled_ = false;
    bool requireWriteEnable_ = false;
    bool manualMode_ = false;
    int saveCount_ = 0;
    int resetCount_ = 0;
    std::vector<std::string> received_;
};

}  // namespace kvtk
