#include "transfer/live/group_monitor.h"

#include <algorithm>

#include "model/conversions.h"
#include "model/products.h"
#include "transfer/live/group_state.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {
namespace {

constexpr int kCountReplyChars = 2;

bool ValidGroup(int group) {
    return group >= 1 && group <= kGroupCount;
}

}  // namespace

GroupMonitor::GroupMonitor(PanelExchange& exchange, const Configuration& config)
    : config_(config), sender_(exchange, config), noteText_(kRelaysRemainOnNote) {}

int GroupMonitor::MaxGroups() const {
    return std::clamp<int>(config_.Limits.MaxGroups, 1, kGroupCount);
}

double GroupMonitor::Firmware() const {
    return VersionValue(config_.Identity.Version);
}

void GroupMonitor::EmptyPanels() {
    statusText_.clear();
    noteText_.clear();
}

bool GroupMonitor::Open() {
    // A request left from an earlier opening is stale: a group command
    // included, so that no switching happens minutes after it was asked for.
    pendingAllGroups_ = 0;
    pendingStatusQuery_ = 0;
    pendingToggle_ = 0;
    pendingGroupCommand_ = 0;
    sender_.Start();
    if (sender_.Send("LR64", kCountReplyChars).empty()) {
        running_ = false;
        return false;
    }
    relayCount_ = ReplyHex(sender_.LastReply(), 2, 2);
    running_ = true;
    EmptyPanels();
    return true;
}

void GroupMonitor::RunPass() {
    if (pendingToggle_ != 0) {
        ServeToggle();
    } else if (pendingAllGroups_ != 0) {
        ServeAllGroups();
    } else if (pendingStatusQuery_ != 0) {
        ServeStatusQuery();
    } else {
        if (pendingGroupCommand_ != 0) {
            ServeGroupCommand();
            // A cancelled command ends the loop; do not ask the panel again.
            if (sender_.LastReply().empty()) return;
        }
        PollGroups(kReportBase);
    }
}

std::string GroupMonitor::PollGroups(int base) {
    const int maxGroups = MaxGroups();
    for (int first = 1; first <= maxGroups; first += kGroupsPerCommand) {
        const int last = std::min(first + kGroupsPerCommand - 1, maxGroups);
        const std::string reply = sender_.Send(GroupCommand(base, first, last));
        if (reply.empty()) return reply;
        const GroupStates states = DecodeGroupStates(reply, last - first + 1);
        for (int g = first; g <= last; ++g) {
            const auto i = static_cast<size_t>(g - first);
            on_[static_cast<size_t>(g)] = states.On[i];
            unreadable_[static_cast<size_t>(g)] =
                states.UnreadableFrom >= 0 && static_cast<int>(i) >= states.UnreadableFrom;
        }
    }
    return sender_.LastReply();
}

void GroupMonitor::ServeToggle() {
    const int toggle = pendingToggle_;
    const int g = toggle & 0x3F;
    EmptyPanels();
    if (!sender_.Send(GroupCommand(toggle)).empty() && !PollGroups(kReportBase).empty() &&
        ValidGroup(g)) {
        const bool wantsOn = toggle >= kOnBase;
        const bool refused =
            (!IndicatorOn(g) && toggle > kOnBase) || (IndicatorOn(g) && toggle < kOnBase);
        if (refused) {
            statusText_ = RefusedToggleText(g, Firmware());
        } else {
            const GroupConfig& group = config_.Groups[static_cast<size_t>(g)];
            // A supergroup's members are groups, a normal group's are relays.
            const int limit = group.Type != 0 ? MaxGroups() : std::min(relayCount_, kMemberCount);
            statusText_ = ToggleMembersText(group, !wantsOn, limit);
            if (!wantsOn) noteText_ = kRelaysRemainOnNote;
        }
    }
    if (ValidGroup(g)) servedGroup_ = g;
    pendingToggle_ = 0;
    pendingStatusQuery_ = 0;
}

void GroupMonitor::ServeAllGroups() {
    EmptyPanels();
    PollGroups(pendingAllGroups_);
    statusText_ = AllGroupsComplianceText(Firmware());
    pendingAllGroups_ = 0;
}

void GroupMonitor::ServeStatusQuery() {
    const int g = pendingStatusQuery_;
    const std::string reply = sender_.Send(GroupCommand(g));
    if (!reply.empty()) {
        const std::string digit = ReplyChars(reply, 2, 1);
        const char d = digit.empty() ? '\0' : digit[0];
        statusText_ = StatusDigitText(d, g, Firmware(), statusText_);
        noteText_ = d == '4' ? std::string{} : LastSwitchedText(g, reply);
    }
    servedGroup_ = g;
    pendingStatusQuery_ = 0;
}

void GroupMonitor::ServeGroupCommand() {
    sender_.Send(GroupCommand(pendingGroupCommand_));
    statusText_ = GroupCommandComplianceText(Firmware());
    pendingGroupCommand_ = 0;
}

void GroupMonitor::PostGroupOn(int group) {
    pendingGroupCommand_ = kOnBase + group;
}

void GroupMonitor::PostGroupOff(int group) {
    pendingGroupCommand_ = kOffBase + group;
}

void GroupMonitor::PostAllOn() {
    if (pendingAllGroups_ == 0) pendingAllGroups_ = kOnBase;
}

void GroupMonitor::PostAllOff() {
    if (pendingAllGroups_ == 0) pendingAllGroups_ = kOffBase;
}

void GroupMonitor::PostStatusQuery(int group) {
    if (RowVisible(group) && pendingStatusQuery_ == 0) pendingStatusQuery_ = group;
}

void GroupMonitor::PostToggle(int group) {
    if (!RowVisible(group) || pendingToggle_ != 0) return;
    pendingToggle_ = (IndicatorOn(group) ? kOffBase : kOnBase) + group;
}

std::string GroupMonitor::RowName(int group) const {
    return ValidGroup(group) ? config_.Groups[static_cast<size_t>(group)].Name : std::string{};
}

bool GroupMonitor::IndicatorOn(int group) const {
    return ValidGroup(group) && on_[static_cast<size_t>(group)];
}

bool GroupMonitor::IndicatorUnreadable(int group) const {
    return ValidGroup(group) && unreadable_[static_cast<size_t>(group)];
}

std::optional<int> GroupMonitor::TakeServedGroup() {
    auto request = servedGroup_;
    servedGroup_.reset();
    return request;
}

}  // namespace kvtk
