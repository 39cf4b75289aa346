#include "sim/sim_line.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>

#include "sim/demo_line.h"

namespace kvtk {
namespace {

// What a line sends, from its Transmit signal. Waits run the event loop
// until bytes or a deadline come.
class LineOutput {
public:
    explicit LineOutput(SimLine& line) : spy_(&line, &SimLine::Transmit) {}

    QByteArray Bytes() const {
        QByteArray all;
        for (const QList<QVariant>& signal : spy_) all += signal.at(0).toByteArray();
        return all;
    }
    bool WaitForLines(qsizetype lines) {
        while (Bytes().count('\r') < lines)
            if (!spy_.wait(2000)) return false;
        return true;
    }
    void Idle(int ms) { spy_.wait(ms); }  // to see that nothing comes

private:
    QSignalSpy spy_;
};

TEST(SimLineWire, FramesInRepliesOut) {
    const struct {
        const char* name;
        QByteArray in, out;
    } cases[] = {
        {"LR73 to address 1", ">01LR7369\r", "A0001C1\r"},
        {"lower-case checksum", ">07LR646f\r", "A3C76\r"},
        {"noise before the frame", "xx\r\n>01LR7369\r", "A0001C1\r"},
        {"a new start resynchronises", ">01LR>01LR7369\r", "A0001C1\r"},
        {"two frames in one write", BuildFrame(1, "LR73") + BuildFrame(2, "LR73"),
         "A0001C1\rA0002C2\r"},
        {"wrong checksum", ">01LR736A\r", ""},
        {"checksum not hex", ">01LR73ZZ\r", ""},
        {"nobody at the address", BuildFrame(4, "LR73"), ""},
        {"no KV answer from address 17", BuildFrame(17, "KV"), ""},
        {"unknown command", BuildFrame(1, "XYZ"), ""},
        {"no start", "01LR7369\r", ""},
    };
    for (const auto& c : cases) {
        auto line = MakeDemoLine();
        LineOutput out(*line);
        line->Receive(c.in);
        EXPECT_TRUE(out.Bytes().isEmpty()) << c.name << ": replies come from the event loop";
        if (c.out.isEmpty()) {
            out.Idle(15);
        } else {
            out.WaitForLines(c.out.count('\r'));
        }
        EXPECT_EQ(out.Bytes(), c.out) << c.name;
    }
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
        LineOutput out(*line);
        for (int i = 0; i < c.frames; ++i) line->Receive(BuildFrame(1, "LR73"));
        out.WaitForLines(c.expected.count('\r'));
        out.Idle(30);
        EXPECT_EQ(out.Bytes(), c.expected) << c.name;
        // A lost reply is lost on the wire: the panel did act on the command.
        EXPECT_EQ(line->PanelAt(1)->Received().size(), static_cast<size_t>(c.frames)) << c.name;
    }
}

}  // namespace
}  // namespace kvtk
