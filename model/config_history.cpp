#include "model/config_history.h"

#include <utility>

namespace kvtk {
namespace {

// The line's reports, which belong to the moment rather than to the work.
void KeepLineReports(Configuration& target, const Configuration& now) {
    target.Status = now.Status;
    for (std::size_t i = 0; i < target.AddressTable.size(); ++i) {
        const AddressEntry& seen = now.AddressTable[i];
        target.AddressTable[i].Record(seen.Probe, seen.Identity, seen.Strange);
    }
}

const std::string kNoStep;

}  // namespace

bool SameDocument(const Configuration& a, const Configuration& b) {
    if (!(a.Panel == b.Panel && a.Inputs == b.Inputs && a.Groups == b.Groups &&
          a.Limits == b.Limits && a.Identity == b.Identity))
        return false;
    for (std::size_t i = 0; i < a.AddressTable.size(); ++i)
        if (a.AddressTable[i].Name != b.AddressTable[i].Name) return false;
    return true;
}

ConfigHistory::ConfigHistory(const Configuration& current, std::size_t limit)
    : limit_(limit == 0 ? 1 : limit), recorded_(current) {}

void ConfigHistory::Reset(const Configuration& current) {
    undo_.clear();
    redo_.clear();
    recorded_ = current;
}

bool ConfigHistory::Record(const Configuration& current, const std::string& name) {
    if (SameDocument(current, recorded_)) {
        recorded_ = current;  // keeps the line's latest reports
        return false;
    }
    undo_.push_back({name, std::move(recorded_)});
    if (undo_.size() > limit_) undo_.pop_front();
    redo_.clear();
    recorded_ = current;
    return true;
}

const std::string& ConfigHistory::UndoName() const {
    return undo_.empty() ? kNoStep : undo_.back().Name;
}

const std::string& ConfigHistory::RedoName() const {
    return redo_.empty() ? kNoStep : redo_.back().Name;
}

void ConfigHistory::Restore(Configuration& config, const Configuration& state) {
    Configuration next = state;
    KeepLineReports(next, config);
    config = std::move(next);
}

bool ConfigHistory::Move(std::deque<Step>& from, std::deque<Step>& to, Configuration& config) {
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back({step.Name, std::move(recorded_)});
    Restore(config, step.State);
    recorded_ = config;
    return true;
}

bool ConfigHistory::Undo(Configuration& config) {
    return Move(undo_, redo_, config);
}

bool ConfigHistory::Redo(Configuration& config) {
    return Move(redo_, undo_, config);
}

}  // namespace kvtk
