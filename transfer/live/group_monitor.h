#pragma once
// The group check's switcher: live on/off states of groups 1..MaxGroups
// and the switch requests, served one pass at a time (the front end runs
// the passes and keeps the focus, the selected group, captions and bold
// rows). Requests are only posted; each pass polls the panel and serves at
// most one request, in the order toggle, all groups,
// status query, group command. Every exchange goes to the configuration's
// Address with an empty description and message style 5; an empty reply
// (the user cancelled) ends the loop.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/panel_exchange.h"
#include "transfer/live/live_sender.h"

namespace kvtk {

class GroupMonitor {
public:
    // Reads Groups, MaxGroups, the firmware version and Address of `config`
    // whenever it runs; changes nothing in it.
    GroupMonitor(PanelExchange& exchange, const Configuration& config);

    // Opening (each time the view starts): clears the pending requests,
    // reads the relay count ("LR64") and starts running. False when the
    // reply is empty: the view ends at once.
    bool Open();

    // One pass: serves the first pending request, else polls.
    void RunPass();
    // Whether the loop goes on after this pass.
    bool KeepRunning() const { return running_ && !sender_.LastReply().empty(); }
    // Stops: the exchange under way finishes and nothing more is sent (the
    // rest of the pass reads as cancelled) until the next Open().
    void Stop() {
        running_ = false;
        sender_.Stop();
    }

    // One poll of every group, switching them first when base is 0x80 (all
    // off) or 0xC0 (all on); returns the last reply (empty when cancelled).
    std::string PollGroups(int base);

    // User actions.
    void PostGroupOn(int group);   // single-group on button
    void PostGroupOff(int group);  // single-group off button
    void PostAllOn();              // only if no all-groups command is pending
    void PostAllOff();
    void PostStatusQuery(int group);  // single click / Enter on an indicator
    void PostToggle(int group);       // double click / Space on an indicator

    // What the view shows.
    int MaxGroups() const;
    bool RowVisible(int group) const { return group >= 1 && group <= MaxGroups(); }
    std::string RowName(int group) const;
    bool IndicatorOn(int group) const;
    // True when the last poll could not place this group's record (it shows off).
    bool IndicatorUnreadable(int group) const;
    const std::string& StatusText() const { return statusText_; }
    const std::string& NoteText() const { return noteText_; }
    // From Open() until Stop(), or until an opening failed.
    bool Running() const { return running_; }
    // The group the last served request was about, told once.
    std::optional<int> TakeServedGroup();

    // Pending requests and the last reply.
    int RelayCount() const { return relayCount_; }
    int PendingGroupCommand() const { return pendingGroupCommand_; }
    int PendingAllGroups() const { return pendingAllGroups_; }
    int PendingStatusQuery() const { return pendingStatusQuery_; }
    int PendingToggle() const { return pendingToggle_; }
    const std::string& LastReply() const { return sender_.LastReply(); }

private:
    double Firmware() const;
    void ServeToggle();
    void ServeAllGroups();
    void ServeStatusQuery();
    void ServeGroupCommand();
    void EmptyPanels();

    const Configuration& config_;
    LiveSender sender_;
    int relayCount_ = 0;
    int pendingGroupCommand_ = 0;
    int pendingAllGroups_ = 0;
    int pendingStatusQuery_ = 0;
    int pendingToggle_ = 0;
    std::array<bool, kGroupCount + 1> on_{};
    std::array<bool, kGroupCount + 1> unreadable_{};
    std::string statusText_;
    std::string noteText_;
    bool running_ = false;
    std::optional<int> servedGroup_;
};

}  // namespace kvtk
