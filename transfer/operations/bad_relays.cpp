#include "transfer/operations/bad_relays.h"

#include "transfer/operations/operation_support.h"
#include "transfer/registers/member_bytes.h"
#include "transfer/registers/register_map.h"
#include "transfer/registers/register_reply.h"

namespace kvtk {

std::string BadRelayQuestion(const std::vector<int>& relays) {
    std::string text = "Bad relays are: ";
    for (int relay : relays) text += std::to_string(relay) + " ";
    return text + ".   Do you want to clear Bad Relay information?";
}

namespace {

BadRelayOutcome RunCheck(const Configuration& config, PanelExchange& exchange,
                         OperationHost& host) {
    BadRelayOutcome outcome;
    const int address = PanelAddress(config);
    const std::string reply = exchange.Exchange(address, kBadRelayReadCommand, "",
                                                kStyleRetryCancel, MaskReplyChars(kFullMaskBytes));
    // Only a whole report counts: a short one must not read as "no bad relays".
    if (IsCancelled(reply) || !IsAcceptedReply(reply)) return outcome;

    const ItemMask flags = DecodeBadRelays(reply);
    for (int relay = 1; relay <= kMemberCount; ++relay)
        if (flags[relay]) outcome.Relays.push_back(relay);
    if (outcome.Relays.empty()) {
        host.ShowMessage("No bad relays found.");
        outcome.Result = BadRelayResult::NoneFound;
        return outcome;
    }
    if (!AskYesNo(host, "Bad Relays", BadRelayQuestion(outcome.Relays))) {
        outcome.Result = BadRelayResult::Kept;
        return outcome;
    }
    if (IsCancelled(exchange.Exchange(address, kWriteEnableCommand, "", kStyleRetryCancel)))
        return outcome;
    host.StepDone({OperationKind::BadRelayCheck, "Clear bad relay information", 1, 1});
    const std::string cleared =
        exchange.Exchange(address, kBadRelayClearCommand, "", kStyleRetryCancel);
    if (IsCancelled(cleared)) return outcome;
    if (!IsConfirmation(cleared)) {
        outcome.Result = BadRelayResult::NotCleared;
        return outcome;
    }
    host.ShowMessage("Bad relay information is cleared.");
    outcome.Result = BadRelayResult::Cleared;
    return outcome;
}

}  // namespace

BadRelayOutcome CheckBadRelays(const Configuration& config, PanelExchange& exchange,
                               OperationHost& host) {
    host.Started({OperationKind::BadRelayCheck, 1});
    const BadRelayOutcome outcome = RunCheck(config, exchange, host);
    host.Finished({OperationKind::BadRelayCheck, outcome.Result != BadRelayResult::Cancelled});
    return outcome;
}

}  // namespace kvtk
