#pragma once
// Undo and redo of the one configuration, as whole snapshots. The history
// keeps the configuration as it stood after the last recorded step; a step
// is recorded only when the configuration differs from it, so recording
// after a command that changed nothing (a save, a write) adds no step.
//
// What the line and the panels report (the connection status and the
// status of each address) is not the user's work: undo and redo keep it as
// it is now.

#include <cstddef>
#include <deque>
#include <string>

#include "model/configuration.h"

namespace kvtk {

// Whether two configurations differ in anything but the line's reports.
bool SameDocument(const Configuration& a, const Configuration& b);

class ConfigHistory {
public:
    static constexpr std::size_t kDefaultLimit = 100;

    explicit ConfigHistory(const Configuration& current, std::size_t limit = kDefaultLimit);

    // Forgets every step; `current` is the new starting point.
    void Reset(const Configuration& current);
    // Records the change from the last recorded state to `current` as one
    // step named `name`; false (and nothing recorded) when nothing changed.
    // A new step drops the redo steps; the oldest step goes beyond the limit.
    bool Record(const Configuration& current, const std::string& name);
    // Takes `current` as the recorded state without adding a step (after a
    // redraw has normalised what undo or redo restored).
    void Accept(const Configuration& current) { recorded_ = current; }
    const Configuration& Recorded() const { return recorded_; }

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // Names of the steps Undo and Redo would take back or do again.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }

    // Put the configuration back as it was before (after) the step; false
    // when there is none. Record pending edits first: `config` is expected
    // to be the recorded state.
    bool Undo(Configuration& config);
    bool Redo(Configuration& config);

private:
    struct Step {
        std::string Name;
        Configuration State;
    };
    static void Restore(Configuration& config, const Configuration& state);
    bool Move(std::deque<Step>& from, std::deque<Step>& to, Configuration& config);

    std::size_t limit_;
    Configuration recorded_;
    std::deque<Step> undo_;  // the state before each step, newest last
    std::deque<Step> redo_;  // the state after each undone step, newest last
};

}  // namespace kvtk
