#include "sim/sim_line.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "sim/demo_line.h"
#include "sim/simulated_link.h"
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
        {"KV to address 2", BuildFrame(2, "KV"), Wire("AKV-4800  04009E\r")},
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
        {"too short", Wire(">01\r"), Wire("")},
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
            out.WaitForBytes(c.out.size());
        }
        EXPECT_EQ(out.Bytes(), c.out) << c.name;
    }
}

TEST(SimLineWire, EchoComesBeforeTheReply) {
    auto line = MakeDemoLine();
    line->Options().echo = true;
    ByteCollector out(line.get(), &SimLine::Transmit);
    line->Receive(BuildFrame(1, "LR73"));
    line->Receive(BuildFrame(4, "LR73"));  // echoed, not answered
    ASSERT_TRUE(out.WaitForLines(3));
    out.Idle(20);
    EXPECT_EQ(out.Bytes(), BuildFrame(1, "LR73") + "A0001C1\r" + BuildFrame(4, "LR73"));
}

TEST(SimLineWire, BusyDotsPrecedeTheReplyAtTheirInterval) {
    auto line = MakeDemoLine();
    line->Options().busyDots = 3;
    line->Options().busyDotIntervalMs = 25;
    ByteCollector out(line.get(), &SimLine::Transmit);
    line->Receive(BuildFrame(1, "LR73"));
    ASSERT_TRUE(out.WaitForLines(1));
    EXPECT_EQ(out.Bytes(), Wire("...A0001C1\r"));
    ASSERT_EQ(out.Chunks().size(), 4u);
    // Dots at 0, 25, 50 ms and the reply at 75 ms.
    EXPECT_GE(out.ArrivalsMs()[3] - out.ArrivalsMs()[0], 70);
}

TEST(SimLineWire, PacingSpreadsTheReplyAt9600Baud) {
    auto line = MakeDemoLine();
    line->Options().pacing = true;
    ByteCollector out(line.get(), &SimLine::Transmit);
    line->Receive(BuildFrame(2, "KV"));  // 17-character reply line
    ASSERT_TRUE(out.WaitForLines(1));
    EXPECT_EQ(out.Bytes(), BuildReply("AKV-4800  0400"));
    EXPECT_GT(out.Chunks().size(), 1u);
    EXPECT_GE(out.ArrivalsMs().back() - out.ArrivalsMs().front(), 14);
}

TEST(SimLineFaults, DropGarbleAndDisconnect) {
    struct Case {
        const char* name;
        SimLineOptions options;
        int frames;
        QByteArray expected;
    };
    SimLineOptions dropFirst;
    dropFirst.dropFirst = 2;
    SimLineOptions dropAll;
    dropAll.dropFraction = 1.0;
    SimLineOptions garble;
    garble.garbleChecksum = true;
    SimLineOptions garbleFirst;
    garbleFirst.garbleFirst = 1;
    const Case cases[] = {
        {"first two replies lost", dropFirst, 3, Wire("A0001C1\r")},
        {"every reply lost", dropAll, 3, Wire("")},
        {"every checksum wrong", garble, 2, Wire("A0001C2\rA0001C2\r")},
        {"first checksum wrong", garbleFirst, 2, Wire("A0001C2\rA0001C1\r")},
    };
    for (const auto& c : cases) {
        auto line = MakeDemoLine();
        line->Options() = c.options;
        line->ResetFaults();
        ByteCollector out(line.get(), &SimLine::Transmit);
        for (int i = 0; i < c.frames; ++i) line->Receive(BuildFrame(1, "LR73"));
        out.Idle(30);
        EXPECT_EQ(out.Bytes(), c.expected) << c.name;
        // A lost reply is lost on the wire: the panel did act on the command.
        EXPECT_EQ(line->PanelAt(1)->Received().size(), static_cast<size_t>(c.frames)) << c.name;
    }
}

TEST(SimLinePanels, Lw73MovesThePanelToItsNewAddress) {
    auto line = MakeDemoLine();
    SimulatedLink link(*line);
    ByteCollector out;
    QObject::connect(&link, &ByteLink::readyRead, &out, [&] { out.Add(link.readAll()); });
    link.write(BuildFrame(1, "LW7309"));
    ASSERT_TRUE(out.WaitForLines(1));
    EXPECT_EQ(out.Bytes(), BuildReply("AY"));  // answered at the old address
    out.Clear();
    link.write(BuildFrame(1, "LR73"));
    link.write(BuildFrame(9, "LR73"));
    ASSERT_TRUE(out.WaitForLines(1));
    out.Idle(20);
    EXPECT_EQ(out.Bytes(), BuildReply("A0009"));
    EXPECT_EQ(line->PanelAt(9)->Model(), "WQ16");
    EXPECT_EQ(line->PanelAt(1), nullptr);
}

TEST(SimLinePanels, AnswerServesTheRelayServer) {
    auto line = MakeDemoLine();
    EXPECT_EQ(line->Answer("01", "LR73"), std::optional<std::string>("A0001C1"));
    EXPECT_EQ(line->Answer("07", "LW78"), std::optional<std::string>("AY59"));
    EXPECT_EQ(line->Answer("11", "KV"), std::nullopt);  // address 17 keeps silent
    EXPECT_EQ(line->Answer("11", "LR73"), std::optional<std::string>("A0011C2"));
    EXPECT_EQ(line->Answer("PC", "LR73"), std::nullopt);  // address 300 is not on this line
    EXPECT_EQ(line->Answer("", "LR73"), std::nullopt);
}

}  // namespace
}  // namespace kvtk
