#include "transfer/operations/address_change.h"

#include "model/products.h"
#include "transfer/operations/operation_support.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
namespace {

// Passes exchanges through and notes a cancel, so that a cancel inside the
// identity query stops the sequence instead of reading as "Not connected".
class CancelWatch : public ForwardingExchange {
public:
    using ForwardingExchange::ForwardingExchange;
    bool Cancelled() const { return cancelled_; }

protected:
    std::string DoExchange(int address, const std::string& command, const std::string& description,
                           FailureStyle style, int dataChars) override {
        std::string reply =
            ForwardingExchange::DoExchange(address, command, description, style, dataChars);
        if (IsCancelled(reply)) cancelled_ = true;
        return reply;
    }

private:
    bool cancelled_ = false;
};

constexpr int kSaveAttempts = 4;

class AddressChanger {
public:
    AddressChanger(Configuration& config, int newAddress, PanelExchange& exchange,
                   OperationHost& host, const std::function<bool()>& beforeWriting)
        : beforeWriting_(beforeWriting),
          config_(config),
          newAddress_(newAddress),
          oldAddress_(PanelAddress(config)),
          exchange_(exchange),
          host_(host) {}

    AddressChangeOutcome Run();

private:
    void Step(const std::string& text) {
        outcome_.ProgressLine = text;
        host_.ShowStatusLine(text, LineTone::Unchanged);
    }
    // Returns false when the user cancelled.
    bool Send(int address, const std::string& command) {
        return !IsCancelled(exchange_.Exchange(address, command, "", kStyleRetryCancel));
    }
    AddressChangeOutcome Finish(AddressChangeResult result) {
        outcome_.Result = result;
        return outcome_;
    }
    void TakeNewAddress() { config_.Panel.Address = std::to_string(newAddress_); }

    const std::function<bool()>& beforeWriting_;
    Configuration& config_;
    int newAddress_;
    int oldAddress_;
    CancelWatch exchange_;
    OperationHost& host_;
    AddressChangeOutcome outcome_;
};

AddressChangeOutcome AddressChanger::Run() {
    Step("Checking new address");
    const AddressEntry found = IdentifyPanel(config_, exchange_, newAddress_);
    if (exchange_.Cancelled()) return Finish(AddressChangeResult::Cancelled);
    if (found.HasPanel()) {
        host_.Beep();
        Step(AddressStatusText(found) + " is at address " + std::to_string(newAddress_) + ".");
        return Finish(AddressChangeResult::Occupied);
    }
    // Something answers there, only not readably: two devices must not
    // end up at one address.
    if (found.Probe == ProbeState::Garbled) {
        host_.Beep();
        Step("A device answers at address " + std::to_string(newAddress_) +
             ", but its replies cannot be read.");
        return Finish(AddressChangeResult::Occupied);
    }

    if (beforeWriting_ && !beforeWriting_()) {
        Step("No backup was made; the address was not changed.");
        return Finish(AddressChangeResult::NotBackedUp);
    }
    Step("Enabling write");
    if (!Send(oldAddress_, kWriteEnableCommand)) return Finish(AddressChangeResult::Cancelled);
    Step("Writing new address");
    if (!Send(oldAddress_, AddressWriteCommand(newAddress_)))
        return Finish(AddressChangeResult::Cancelled);

    Step("Verifying address write");
    const AddressEntry answered = IdentifyPanel(config_, exchange_, newAddress_);
    if (exchange_.Cancelled()) return Finish(AddressChangeResult::Cancelled);
    if (!answered.HasPanel()) {
        // No further commands may go to an address that does not answer.
        host_.Beep();
        Step("No response at new address. Going offline");
        config_.Status.Connection = PanelConnection::Offline();
        TakeNewAddress();
        outcome_.GoOffline = true;
        return Finish(AddressChangeResult::WentOffline);
    }
    TakeNewAddress();

    Step("Enabling Save");
    if (!Send(newAddress_, kSaveEnableCommand)) return Finish(AddressChangeResult::Cancelled);
    Step("Saving...");
    const int attempts = exchange_.Attempts();
    exchange_.SetAttempts(kSaveAttempts);
    const bool saved = Send(newAddress_, kSaveCommand);
    exchange_.SetAttempts(attempts);
    if (!saved) return Finish(AddressChangeResult::Cancelled);
    outcome_.Completed = true;
    return Finish(AddressChangeResult::Changed);
}

}  // namespace

std::string AddressChangeWarning(const std::string& oldAddress) {
    return "WARNING: You are changing the address of the device that is currently at address " +
           oldAddress + ".";
}

AddressChangeOutcome ChangeAddress(Configuration& config, int newAddress, PanelExchange& exchange,
                                   OperationHost& host,
                                   const std::function<bool()>& beforeWriting) {
    if (newAddress < kLowestNewAddress || newAddress > kHighestNewAddress) return {};
    if (!config.Status.IsOnline()) {
        config.Panel.Address = std::to_string(newAddress);
        AddressChangeOutcome outcome;
        outcome.Result = AddressChangeResult::Renumbered;
        return outcome;
    }
    return AddressChanger(config, newAddress, exchange, host, beforeWriting).Run();
}

}  // namespace kvtk
