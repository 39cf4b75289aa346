#include "comm/command_exchange.h"

#include <gmock/gmock.h>

#include <QTimer>
#include <deque>

#include "comm/exchange_settings.h"
#include "comm/wire_format.h"
#include "tests/comm/timed.h"
#include "tests/support/fake_link.h"
#include "tests/support/scripted_prompter.h"

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

// One exchange of "LR73" against what the line delivers after each frame:
// the reply it gives (without its checksum), the frames written, the failure
// boxes shown (each with the buttons of its style) and the least time it
// takes. Echo, busy dots and floods themselves are the reply reader's.
TEST_F(CommandExchangeTest, RepliesOfEveryShape) {
    using Line = std::vector<std::pair<std::string, int>>;  // bytes and their delay
    Line dots;  // six busy dots 30 ms apart, then the reply
    for (int i = 1; i <= 6; ++i) dots.emplace_back(".", i * 30);
    dots.emplace_back(PanelReply("0001"), 210);
    Line endless;  // dots for 2 s, then the reply
    for (int i = 1; i <= 100; ++i) endless.emplace_back(".", i * 20);
    endless.emplace_back(PanelReply("0001"), 2020);
    const Line nak{{"NAK\r", 0}}, garbled{{"A1234FF\r", 0}}, bareA{{"A\r", 0}};
    const Line good{{PanelReply("0001"), 0}}, twoDigits{{PanelReply("01"), 0}};
    const char* const kGarbled = "Device response was garbled.";
    const char* const kIncomplete = "Device response was incomplete.";
    using A = MessageAnswer;
    const struct {
        const char* name;
        Line line;
        int style;
        int attempts;
        std::deque<MessageAnswer> answers;
        std::string reply;
        size_t frames;
        size_t boxes;
        int minMs;
        int dataChars = 0;  // what the reply must carry after its "A"
        const char* boxText = nullptr;
        int busyLimitMs = ExchangeSettings::kDefaultBusyLimitMs;
    } cases[] = {
        {"a good reply", good, 0, 2, {}, "A0001", 1, 0, 0},
        {"line not starting with A", nak, 0, 2, {}, "NAK", 2, 0, 0},
        {"echo and silence", {{SerialFrame(1, "LR73"), 0}}, 0, 2, {}, "T", 2, 0, 2 * kShortT},
        {"half a line", {{"A00", 0}}, 0, 2, {}, "T", 2, 0, 2 * kShortT},
        {"busy dots keep it waiting past T", dots, 0, 2, {}, "A0001", 1, 0, 200},
        {"dead panel, no attempts", {}, 0, 0, {}, "T", 1, 0, kShortT},
        {"dead panel, three attempts", {}, 0, 3, {}, "T", 3, 0, 3 * kShortT},
        {"retry starts the attempts again", {}, 2, 2, {A::Retry, A::Ignore}, "I", 4, 2, 0},
        {"garbled, cancelled", garbled, 1, 2, {A::Cancel}, "", 2, 1, 0, 0, kGarbled},
        {"garbled, aborted", garbled, 2, 2, {A::Abort}, "", 2, 1, 0},
        {"garbled, cancelled at style 5", garbled, 5, 2, {A::Cancel}, "", 2, 1, 0},
        {"no reply line is shown too", nak, 2, 2, {A::Abort}, "", 2, 1, 0},
        {"a bare A acknowledges", bareA, 0, 2, {}, "A", 1, 0, 0},
        {"a bare A to a read is no reply", bareA, 0, 2, {}, "C", 2, 0, 0, 4},
        {"too few digits are asked about",
         twoDigits,
         2,
         2,
         {A::Ignore},
         "I",
         2,
         1,
         0,
         4,
         kIncomplete},
        {"enough digits", good, 2, 2, {}, "A0001", 1, 0, 0, 4},
        // Last: its dots would still arrive during a later case.
        {"endless busy dots end at the busy limit",
         endless,
         0,
         1,
         {},
         "T",
         1,
         0,
         300,
         0,
         nullptr,
         300},
    };
    for (const auto& c : cases) {
        link.writes.clear();
        link.discards = 0;
        link.responder = [&c](FakeLink& l, const std::string&) {
            for (const auto& [bytes, delayMs] : c.line) l.Deliver(bytes, delayMs);
        };
        PanelExchange& panel = exchange;  // as the operations set the attempts
        panel.SetAttempts(c.attempts);
        prompter.asked.clear();
        prompter.answers = c.answers;
        settings.SetBusyLimitMs(c.busyLimitMs);
        std::string reply;
        const double ms = Timed([&] {
            reply = panel.Exchange(1, "LR73", "Inputs", static_cast<FailureStyle>(c.style),
                                   c.dataChars);
        });
        EXPECT_EQ(reply, c.reply) << c.name;
        EXPECT_EQ(link.writes, std::vector<std::string>(c.frames, ">01LR7369\r")) << c.name;
        EXPECT_EQ(link.discards, static_cast<int>(c.frames)) << c.name;  // stale bytes go first
        EXPECT_EQ(prompter.asked.size(), c.boxes) << c.name;
        for (const auto& box : prompter.asked) {
            EXPECT_EQ(static_cast<int>(box.Buttons), c.style) << c.name;
            EXPECT_EQ(box.Title, "Comm Error: Inputs") << c.name;
            if (c.boxText) {
                EXPECT_EQ(box.Text, c.boxText) << c.name;
            }
        }
        EXPECT_GE(ms, c.minMs) << c.name;
        EXPECT_EQ(panel.Attempts(), c.attempts);
        EXPECT_FALSE(settings.Cancel());
        EXPECT_FALSE(settings.Busy());
        if (&c == &cases[0]) {
            EXPECT_EQ(settings.Response(), "A0001");
            EXPECT_GE(settings.RelativeSpeed(), 50);  // the statistics were updated
        }
    }
}

// A quick try waits the probe's wire time and margin once, however long
// the configured wait and however many attempts; it tells whether anything
// came back at all, and switching it off brings the configured wait back.
TEST_F(CommandExchangeTest, QuickTriesWaitOnceForTheLineTime) {
    settings.SetMaxResponseMs(3000);
    exchange.SetAttempts(3);
    const int quickMs = exchange.SetQuickTries(true);
    EXPECT_EQ(quickMs, 52);  // 16 characters at 9600 baud and 35 ms
    EXPECT_EQ(settings.TryWaitMs(), quickMs);
    const struct {
        const char* name;
        std::string bytes;
        int delayMs;
        std::string reply;
        bool heard;
    } cases[] = {
        {"silent", "", 0, "T", false},
        {"half a line", "A00", 0, "T", true},
        {"busy dot", ".", 0, "T", true},
        {"panel within the margin", PanelReply("0001"), 30, "A0001", true},
    };
    for (const auto& c : cases) {
        link.writes.clear();
        AnswerWith(c.bytes, c.delayMs);
        std::string reply;
        const double ms =
            Timed([&] { reply = exchange.Exchange(1, "LR73", "", FailureStyle::Silent, 2); });
        EXPECT_EQ(reply, c.reply) << c.name;
        EXPECT_EQ(link.writes.size(), 1u) << c.name;
        EXPECT_EQ(exchange.HeardAnything(), c.heard) << c.name;
        if (c.reply == "T") {
            EXPECT_GE(ms, quickMs) << c.name;
        }
        EXPECT_LT(ms, 1500) << c.name;
    }
    EXPECT_EQ(exchange.SetQuickTries(false), 0);
    EXPECT_EQ(settings.TryWaitMs(), 3000);
    EXPECT_EQ(exchange.Attempts(), 3);
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
        const double ms =
            Timed([&] { reply = exchange.Exchange(1, "LR73", "Inputs", FailureStyle::OkCancel); });
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
        QTimer::singleShot(5, &l, [&] {
            nested = exchange.Exchange(2, "KV", "Other", FailureStyle::AbortRetryIgnore);
        });
        l.Deliver(PanelReply("0001"), 20);
    };
    EXPECT_EQ(exchange.Exchange(1, "LR73", "Mine", FailureStyle::Silent), "A0001");
    EXPECT_EQ(nested, "");
    EXPECT_EQ(link.writes.size(), 1u);
}

// Offline, without a line or with nothing to send, nothing is written; a
// relay connection that is not there is said in words and cancels.
TEST_F(CommandExchangeTest, OfflineNoLinkOrEmptyCommandSendNothing) {
    exchange.SetOffline(true);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "T");
    exchange.SetOffline(false);
    EXPECT_EQ(exchange.Exchange(1, "", "", FailureStyle::OkCancel), "");
    EXPECT_EQ(settings.RelativeSpeed(), 0);
    exchange.SetSerialLink(nullptr);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "", FailureStyle::Silent), "T");
    exchange.SetConnectionMode(ConnectionMode::Relay);
    EXPECT_EQ(exchange.Exchange(1, "LR73", "Inputs", FailureStyle::Silent), "");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].Text.find("network connection"), std::string::npos);
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
    };
    for (const auto& [responseMs, average, speed] : steps) {
        settings.AddResponseTime(responseMs);
        EXPECT_EQ(settings.AverageResponseMs(), average) << responseMs;
        EXPECT_EQ(settings.RelativeSpeed(), speed) << responseMs;
    }
}

}  // namespace
}  // namespace kvtk
