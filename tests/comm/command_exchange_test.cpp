#include "comm/command_exchange.h"

#include <gmock/gmock.h>

#include <QTimer>

#include "comm/exchange_settings.h"
#include "comm/wire_format.h"
#include "tests/comm/scripted_prompter.h"
#include "tests/comm/timed.h"
#include "tests/support/fake_link.h"

namespace kvtk {
namespace {

using test::FakeLink;
using test::PanelReply;
using test::ScriptedPrompter;
using test::Timed;
using ::testing::ElementsAre;

constexpr int kShortT = 50;

class CommandExchangeTest : public ::testing::Test {
protected:
    CommandExchangeTest() {
        settings.SetMaxResponseMs(kShortT);
        exchange.SetOffline(false);
        exchange.SetSerialLink(&link);
    }
    // The panel answers every frame with the same bytes.
    void AnswerWith(const std::string& bytes, int delayMs = 0) {
        link.responder = [bytes, delayMs](FakeLink& l, const std::string&) {
            l.Deliver(bytes, delayMs);
        };
    }

    ExchangeSettings settings;
    ScriptedPrompter prompter;
    CommandExchange exchange{settings, prompter};
    FakeLink link;
};

TEST_F(CommandExchangeTest, SendsFrameAndReturnsReplyWithoutChecksum) {
    AnswerWith(PanelReply("0001"));
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", 0), "A0001");
    EXPECT_THAT(link.writes, ElementsAre(">01LR7369\r"));
    EXPECT_EQ(link.discards, 1);
    EXPECT_FALSE(settings.Busy());
    EXPECT_EQ(settings.Response(), "A0001");
    EXPECT_LE(settings.AverageResponseMs(), kShortT);  // the statistics were updated
    EXPECT_GE(settings.RelativeSpeed(), 50);
}

// Echo, busy dots and floods are the reply reader's; here what the exchange
// makes of a line that is no reply or of no line at all.
TEST_F(CommandExchangeTest, RepliesOfEveryShape) {
    const std::string frame = SerialFrame(1, "LR73");
    // name, bytes, reply
    const std::vector<std::tuple<const char*, std::string, std::string>> cases{
        {"line not starting with A", "NAK\r", "NAK"},
        {"echo and silence", frame, "T"},
        {"half a line", "A00", "T"},
        {"garbage line without end", std::string(20000, 'x'), "T"},
    };
    for (const auto& [name, bytes, reply] : cases) {
        AnswerWith(bytes);
        EXPECT_EQ(exchange.Exchange(1, "LR73", "", 0), reply) << name;
    }
}

TEST_F(CommandExchangeTest, BusyDotsKeepTheExchangeWaitingPastT) {
    link.responder = [](FakeLink& l, const std::string&) {
        for (int i = 1; i <= 6; ++i) l.Deliver(".", i * 30);
        l.Deliver(PanelReply("0001"), 6 * 30 + 30);
    };
    std::string reply;
    const double ms = Timed([&] { reply = exchange.Exchange(1, "LR73", "", 0); });
    EXPECT_EQ(reply, "A0001");
    EXPECT_GE(ms, 200);
    EXPECT_EQ(link.writes.size(), 1u);
}

// The attempts are set through PanelExchange, as the operations do.
TEST_F(CommandExchangeTest, DeadPanelWithStyle0CostsExactlyTheAttempts) {
    PanelExchange& panel = exchange;
    for (int attempts : {0, 1, 3}) {
        link.writes.clear();
        panel.SetAttempts(attempts);
        EXPECT_EQ(settings.Attempts(), attempts);
        std::string reply;
        const double ms = Timed([&] { reply = panel.Exchange(5, "LR73", "", 0); });
        EXPECT_EQ(reply, "T");
        const size_t tries = attempts < 1 ? 1u : static_cast<size_t>(attempts);
        EXPECT_EQ(link.writes.size(), tries) << attempts;
        EXPECT_GE(ms, static_cast<double>(tries * kShortT));
    }
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(CommandExchangeTest, Style2IgnoreGivesIAndRetryStartsTheAttemptsAgain) {
    prompter.answers = {MessageAnswer::Retry, MessageAnswer::Ignore};
    EXPECT_EQ(exchange.Exchange(1, "LR65", "Maximum Number of Inputs", 2), "I");
    EXPECT_EQ(link.writes.size(), 4u);  // 2 attempts, Retry, 2 attempts, Ignore
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].Title, "Comm Error: Maximum Number of Inputs");
    EXPECT_EQ(prompter.asked[0].Buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(settings.Response(), "I");
}

// A garbled reply or a line that is no reply is shown, never retried unseen.
TEST_F(CommandExchangeTest, GarbledReplyAskedAndAbortOrCancelStops) {
    // line, style, answer
    const std::vector<std::tuple<const char*, int, MessageAnswer>> cases{
        {"A1234FF\r", 1, MessageAnswer::Cancel},
        {"A1234FF\r", 2, MessageAnswer::Abort},
        {"A1234FF\r", 5, MessageAnswer::Cancel},
        {"NAK\r", 2, MessageAnswer::Abort},
    };
    for (const auto& [line, style, answer] : cases) {
        AnswerWith(line);
        prompter.asked.clear();
        prompter.answers = {answer};
        EXPECT_EQ(exchange.Exchange(1, "LR65", "Inputs", style), "") << line << style;
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_NE(prompter.asked[0].Text.find("garbled"), std::string::npos);
        EXPECT_EQ(static_cast<int>(prompter.asked[0].Buttons), style);
        EXPECT_FALSE(settings.Cancel());
    }
}

// A cancel during the wait, or one set while idle, ends the exchange at
// once after its one frame and is then cleared.
TEST_F(CommandExchangeTest, CancelDuringTheWaitReturnsEmptyAndClearsCancel) {
    settings.SetMaxResponseMs(5000);
    for (bool whileIdle : {false, true}) {
        link.writes.clear();
        link.responder = [this](FakeLink& l, const std::string&) {
            QTimer::singleShot(10, &l, [this] { settings.SetCancel(true); });
        };
        if (whileIdle) {
            link.responder = nullptr;
            settings.SetCancel(true);
        }
        std::string reply = "x";
        const double ms = Timed([&] { reply = exchange.Exchange(1, "LR73", "Inputs", 1); });
        EXPECT_EQ(reply, "") << whileIdle;
        EXPECT_LT(ms, 1000);
        EXPECT_FALSE(settings.Cancel());
        EXPECT_THAT(link.writes, ElementsAre(">01LR7369\r"));
    }
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(CommandExchangeTest, NestedCallSendsNothingAndGetsTheEmptyReply) {
    std::string nested = "unset";
    link.responder = [&](FakeLink& l, const std::string& written) {
        if (written != SerialFrame(1, "LR73")) return;
        QTimer::singleShot(5, &l, [&] { nested = exchange.Exchange(2, "KV", "Other", 2); });
        l.Deliver(PanelReply("0001"), 20);
    };
    EXPECT_EQ(exchange.Exchange(1, "LR73", "Mine", 0), "A0001");
    EXPECT_EQ(nested, "");
    EXPECT_EQ(link.writes.size(), 1u);
    EXPECT_EQ(settings.Description(), "Mine");
}

TEST_F(CommandExchangeTest, OfflineNoLinkOrEmptyCommandSendNothing) {
    exchange.SetOffline(true);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", 0), "T");
    exchange.SetOffline(false);
    EXPECT_EQ(exchange.Exchange(1, "", "", 1), "");
    EXPECT_EQ(settings.RelativeSpeed(), 0);
    exchange.SetSerialLink(nullptr);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", 0), "T");
    EXPECT_TRUE(link.writes.empty());
}

TEST_F(CommandExchangeTest, RelayModeWithoutConnectionSaysSoAndCancels) {
    exchange.SetConnectionMode(ConnectionMode::Relay);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "Inputs", 0), "");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].Text.find("network connection"), std::string::npos);
    EXPECT_EQ(prompter.asked[0].Icon, MessageIcon::Critical);
    EXPECT_FALSE(settings.Cancel());
    EXPECT_TRUE(link.writes.empty());
}

TEST(ExchangeSettingsTest, AverageAndRelativeSpeed) {
    ExchangeSettings settings;
    EXPECT_EQ(settings.MaxResponseMs(), 500);
    EXPECT_EQ(settings.Attempts(), 2);
    // responseMs, average, speed
    const std::vector<std::tuple<int, int, int>> steps{
        {100, 50, 90},   // (0 + 100) / 2
        {-5, 25, 95},    // faster than the frame allowance counts as 0
        {1001, 500, 0},  // above T -> T
        {500, 500, 0},  {0, 250, 50},
    };
    for (const auto& [responseMs, average, speed] : steps) {
        settings.AddResponseTime(responseMs);
        EXPECT_EQ(settings.AverageResponseMs(), average) << responseMs;
        EXPECT_EQ(settings.RelativeSpeed(), speed) << responseMs;
    }
}

}  // namespace
}  // namespace kvtk
