#include "comm/command_exchange.h"

#include <QElapsedTimer>

#include "comm/exchange_settings.h"
#include "comm/relay_connection.h"
#include "comm/serial_exchange.h"
#include "comm/wire_format.h"
#include "model/panel_reply.h"
#include "model/prompter.h"

namespace kvtk {
namespace {

// Resets the running flag however the exchange ends.
class RunningGuard {
public:
    explicit RunningGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningGuard() { flag_ = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace

CommandExchange::CommandExchange(ExchangeSettings& settings, Prompter& prompter)
    : settings_(settings), prompter_(prompter) {}

int CommandExchange::Attempts() const {
    return settings_.Attempts();
}

void CommandExchange::SetAttempts(int attempts) {
    settings_.SetAttempts(attempts);
}

int CommandExchange::QuickWaitMs() const {
    // ">" + address + "LR73" + checksum + CR out, "A" + 2 digits + checksum
    // + CR back: 16 characters, each 10 bits at 9600 baud.
    constexpr double kProbeWireMs = 16 * 10.0 / 9.6;
    // Panels answer within about 40 ms of a frame's end; a try already
    // counts the frame and one character beyond this wait.
    constexpr int kAnswerMarginMs = 35;
    const int relayMs = mode_ == ConnectionMode::Relay && relay_ ? relay_->LoginRoundTripMs() : 0;
    return static_cast<int>(kProbeWireMs + 0.5) + kAnswerMarginMs + relayMs;
}

int CommandExchange::SetQuickTries(bool on) {
    settings_.SetQuickWaitMs(on ? QuickWaitMs() : 0);
    return settings_.QuickWaitMs();
}

bool CommandExchange::HeardAnything() const {
    return settings_.Heard();
}

std::string CommandExchange::DoExchange(int address, const std::string& command,
                                        const std::string& description, FailureStyle style,
                                        int dataChars) {
    // One exchange at a time: a nested call must not hand its caller the
    // reply to another command, nor change the running exchange.
    if (running_) return {};
    RunningGuard guard(running_);

    settings_.SetRequest(address, command, description, style);
    settings_.SetBusy(true);
    settings_.SetResponse({});
    settings_.SetResponseDescription({});
    settings_.SetHeard(false);

    if (command.empty()) {
        settings_.SetRelativeSpeed(0);
        Finish(false, 0);
        return settings_.Response();
    }

    const std::string frame = mode_ == ConnectionMode::Relay ? RelayFrame(address, command)
                                                             : SerialFrame(address, command);
    QElapsedTimer clock;
    clock.start();

    for (;;) {
        int attemptsLeft = settings_.QuickWaitMs() > 0 ? 1 : settings_.Attempts();
        std::string reply;
        bool tooShort = false;
        do {
            --attemptsLeft;
            reply = TryOnce(frame);
            // A reply without the data asked for is no answer: a bare "A"
            // must not read as zeros, nor as a panel that is there.
            tooShort = IsAccepted(reply) && static_cast<int>(reply.size()) - 1 < dataChars;
            if (tooShort) reply = std::string(kGarbledReply);
            settings_.SetResponse(reply);
        } while (!settings_.Cancel() && !IsAccepted(reply) && attemptsLeft > 0);

        if (settings_.Cancel() || IsAccepted(reply) || style == FailureStyle::Silent) break;

        // Every failure is shown, so that a panel answering with lines of
        // another kind cannot keep the exchange retrying unseen.
        const char* text = KindOfReply(reply) == ReplyKind::NoResponse ? kNoResponseText
                           : tooShort                                  ? kTooShortText
                                                                       : kGarbledText;
        const auto buttons = static_cast<MessageButtons>(style);
        const MessageAnswer answer =
            prompter_.Ask({kCommErrorTitle + description, text, buttons, MessageIcon::Exclamation});
        if (answer == MessageAnswer::Abort || answer == MessageAnswer::Cancel) {
            settings_.SetCancel(true);
        } else if (answer == MessageAnswer::Ignore) {
            settings_.SetResponse(kIgnoredReply);
        }
        if (settings_.Cancel() || KindOfReply(settings_.Response()) == ReplyKind::Ignored) break;
    }

    Finish(true, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    return settings_.Response();
}

std::string CommandExchange::TryOnce(const std::string& frame) {
    if (mode_ == ConnectionMode::Serial) return DoComm(link_, frame, settings_, offline_);
    if (relay_ == nullptr || !relay_->IsEstablished()) {
        ShowNetworkFailure(kNoNetworkText);
        return {};
    }
    const RelayConnection::Reply reply = relay_->DoWinsock(frame, settings_);
    if (reply.ConnectionLost) ShowNetworkFailure(kNetworkLostText);
    return reply.Text;
}

void CommandExchange::ShowNetworkFailure(const char* text) {
    prompter_.Ask({kCommErrorTitle + settings_.Description(), text, MessageButtons::Ok,
                   MessageIcon::Critical});
    settings_.SetCancel(true);
}

void CommandExchange::Finish(bool measured, double elapsedMs) {
    if (settings_.Cancel()) {
        settings_.SetResponse({});
        settings_.SetCancel(false);
    } else if (measured) {
        const double characters =
            static_cast<double>(settings_.Command().size() + 6 + settings_.Response().size() + 3);
        settings_.AddResponseTime(static_cast<int>(elapsedMs - characters * kCharacterMs));
    }
    settings_.SetBusy(false);
}

}  // namespace kvtk
