#include "sim/sim_line.h"

#include <gtest/gtest.h>

#include <functional>

#include "sim/demo_line.h"
#include "tests/sim/sim_test_support.h"

namespace kvtk {
namespace {

using test::ByteCollector;

QByteArray Wire(const char* text) {
    return QByteArray(text);
}

TEST(SimLineWire, FramesInRepliesOut) {
    struct Case {
        const char* name;
        QByteArray in;
        QByteArray out;
    };
    const Case cases[] = {
        {"LR73 to address 1", Wire(">01LR7369\r"), Wire("A0001C1\r")},
        {"lower-case checksum", Wire(">07LR646f\r"), Wire("A3C76\r")},
        {"noise before the frame", Wire("xx\r\n>01LR7369\r"), Wire("A0001C1\r")},
        {"a new start resynchronises", Wire(">01LR>01LR7369\r"), Wire("A0001C1\r")},
        {"two frames in one write", BuildFrame(1, "LR73") + BuildFrame(2, "LR73"),
         Wire("A0001C1\rA0002C2\r")},
        {"wrong checksum", Wire(">01LR736A\r"), Wire("")},
        {"checksum not hex", Wire(">01LR73ZZ\r"), Wire("")},
        {"nobody at the address", BuildFrame(4, "LR73"), Wire("")},
        {"no KV answer from address 17", BuildFrame(17, "KV"), Wire("")},
        {"unknown command", BuildFrame(1, "XYZ"), Wire("")},
        {"no start", Wire("01LR7369\r"), Wire("")},
    };
    for (const auto& c : cases) {
        auto line = MakeDemoLine();
        ByteCollector out(line.get(), &SimLine::Transmit);
        line->Receive(c.in);
        EXPECT_TRUE(out.Bytes().isEmpty()) << c.name << ": replies come from the event loop";
        if (c.out.isEmpty()) {
            out.Idle(15);
        } else {
            out.WaitForLines(static_cast<int>(c.out.count('\r')));
        }
        EXPECT_EQ(out.Bytes(), c.out) << c.name;
    }
}

TEST(SimLineWire, EchoAndBusyDotsPrecedeTheReply) {
    auto line = MakeDemoLine();
    line->Options().echo = true;
    line->Options().busyDots = 3;
    line->Options().busyDotIntervalMs = 25;
    ByteCollector out(line.get(), &SimLine::Transmit);
    line->Receive(BuildFrame(1, "LR73"));
    line->Receive(BuildFrame(4, "LR73"));  // echoed, not answered
    ASSERT_TRUE(out.WaitForLines(3));
    out.Idle(20);
    EXPECT_EQ(out.Bytes(), BuildFrame(1, "LR73") + "...A0001C1\r" + BuildFrame(4, "LR73"));
    // Dots at 0, 25, 50 ms and the reply at 75 ms after the frame.
    ASSERT_EQ(out.Chunks().size(), 6u);
    EXPECT_GE(out.ArrivalsMs()[4], 74);
}

TEST(SimLineWire, PacingSpreadsTheReplyAt9600Baud) {
    auto line = MakeDemoLine();
    line->Options().pacing = true;
    ByteCollector out(line.get(), &SimLine::Transmit);
    line->Receive(BuildFrame(2, "KV"));  // 17-character reply line
    ASSERT_TRUE(out.WaitForLines(1));
    EXPECT_EQ(out.Bytes(), BuildReply("AKV-4800  0400"));
    // The last of 17 characters at 1.04 ms each leaves at least 16.7 ms
    // after the frame came in, however late the event loop runs.
    EXPECT_GE(out.ArrivalsMs().back(), 16);
}

TEST(SimLineFaults, LostAndGarbledReplies) {
    const struct {
        const char* name;
        std::function<void(SimLineOptions&)> set;
        int frames;
        QByteArray expected;
    } cases[] = {
        {"first two replies lost", [](SimLineOptions& o) { o.dropFirst = 2; }, 3, "A0001C1\r"},
        {"every reply lost", [](SimLineOptions& o) { o.dropFraction = 1.0; }, 3, ""},
        {"every checksum wrong", [](SimLineOptions& o) { o.garbleChecksum = true; }, 2,
         "A0001C2\rA0001C2\r"},
        {"first checksum wrong", [](SimLineOptions& o) { o.garbleFirst = 1; }, 2,
         "A0001C2\rA0001C1\r"},
    };
    for (const auto& c : cases) {
        auto line = MakeDemoLine();
        c.set(line->Options());
        line->ResetFaults();
        ByteCollector out(line.get(), &SimLine::Transmit);
        for (int i = 0; i < c.frames; ++i) line->Receive(BuildFrame(1, "LR73"));
        out.Idle(30);
        EXPECT_EQ(out.Bytes(), c.expected) << c.name;
        // A lost reply is lost on the wire: the panel did act on the command.
        EXPECT_EQ(line->PanelAt(1)->Received().size(), static_cast<size_t>(c.frames)) << c.name;
    }
}

}  // namespace
}  // namespace kvtk
