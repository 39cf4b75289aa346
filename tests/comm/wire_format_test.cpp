// The serial frame and reply line, and the relay server's lines.
#include "comm/wire_format.h"

#include <gmock/gmock.h>

#include "comm/relay_connection.h"
#include "comm/relay_lines.h"
#include "comm/serial_exchange.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;

TEST(WireFormat, AddressFieldCoversAllThreeForms) {
    // address, field
    const std::vector<std::tuple<int, std::string>> cases{
        {0, "00"},
        {255, "FF"},
        {256, "O0"},
        {511, "VV"},
        {512, "00"},
        {1023, "FV"},
        {2000, std::string{'\x07', '\xD0'}},
        {1024, std::string{'\x04', '\x00'}},
    };
    for (const auto& [address, field] : cases)
        EXPECT_EQ(EncodeAddressField(address), field) << address;
}

TEST(WireFormat, FramesForSerialLineAndRelay) {
    EXPECT_EQ(SerialFrame(1, "LR73"), ">01LR7369\r");
    EXPECT_EQ(RelayFrame(1, "LR73"), "01LR73\r");
    // Checksum over the raw bytes of a two-byte address: 7 + 208 + "KV".
    EXPECT_EQ(SerialFrame(2000, "KV"), std::string(">\x07\xD0KV") + "78\r");
}

TEST(WireFormat, ReplyChecksumAndClassification) {
    // line, checksumOk, reply
    const std::vector<std::tuple<std::string, bool, std::string>> cases{
        {"A0001C1", true, "A0001"},  // 48+48+48+49 = 193
        {"A1234FF", false, "C"},
        {"A", true, "A"},    // no data, no checksum: accepted as it is
        {"A0", false, "C"},  // two characters: no room for data and checksum
        {"A00", true, "A"},  // empty data, checksum 0
        {"AY" + std::string("59"), true, "AY"},
    };
    for (const auto& [line, checksumOk, reply] : cases) {
        EXPECT_EQ(ReplyChecksumOk(line), checksumOk) << line;
        EXPECT_EQ(ClassifyReplyLine(line), reply) << line;
    }
}

// The echo and the waits are the exchange's cases; here a busy dot amid a
// reply and a flood of garbage.
TEST(WireFormat, ReaderStartsOverAtADotAndBoundsOverlongLines) {
    bool restart = false;
    SerialReplyReader flood(">01LR7369\r");
    for (char ch : std::string("A00")) flood.Take(ch, restart);
    EXPECT_FALSE(flood.Take('.', restart));
    EXPECT_TRUE(restart);
    EXPECT_TRUE(flood.Line().empty());
    for (size_t i = 0; i < SerialReplyReader::kMaxLineLength + 10; ++i) flood.Take('x', restart);
    EXPECT_FALSE(restart);  // garbage no longer extends the wait
    EXPECT_LE(flood.Line().size(), SerialReplyReader::kMaxLineLength);
    flood.Take('\r', restart);
    for (char ch : std::string("A0001C1")) flood.Take(ch, restart);
    EXPECT_TRUE(flood.Take('\r', restart));
    EXPECT_EQ(flood.Line(), "A0001C1");
}

std::vector<std::string> Split(const std::vector<QByteArray>& chunks) {
    RelayLineSplitter splitter;
    std::vector<std::string> lines;
    for (const auto& chunk : chunks)
        splitter.Feed(chunk, [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

TEST(RelayLines, LinesEndAtTheirLineEndNotAtReadBoundaries) {
    EXPECT_THAT(Split({"1A0001C1\r\n"}), ElementsAre("1A0001C1"));
    EXPECT_THAT(Split({"1A0001C1\r\n2A0002C2\r\n3E", "RR\r\n"}),
                ElementsAre("1A0001C1", "2A0002C2", "3ERR"));
    EXPECT_THAT(Split({"OK\n", "\n\r", "5AY59\r\r"}), ElementsAre("OK", "5AY59"));
    std::vector<QByteArray> bytes;
    for (char ch : std::string("12A0001C1\r\n")) bytes.emplace_back(1, ch);
    EXPECT_THAT(Split(bytes), ElementsAre("12A0001C1"));
}

TEST(RelayLines, OverlongLineIsDroppedUpToItsEnd) {
    RelayLineSplitter splitter;
    std::vector<std::string> lines;
    const QByteArray chunk(64 * 1024, 'x');
    for (int i = 0; i < 160; ++i)  // 10 MB without a line end
        splitter.Feed(chunk, [&](const std::string& line) { lines.push_back(line); });
    EXPECT_LE(splitter.Partial().size(), RelayLineSplitter::kMaxLineLength);
    splitter.Feed("xx\r\n7A0001C1\r\n", [&](const std::string& line) { lines.push_back(line); });
    EXPECT_THAT(lines, ElementsAre("7A0001C1"));
}

TEST(RelayLines, AnswerNumberIsTheWholeLeadingNumber) {
    // line, split, number, rest
    const std::vector<std::tuple<std::string, bool, int, std::string>> cases{
        {"1A0001C1", true, 1, "A0001C1"}, {"12A0001C1", true, 12, "A0001C1"},  // not 1 with "2A..."
        {"0ERR", true, 0, "ERR"},         {"255AY59", true, 255, "AY59"},     {"OK", false, 0, ""},
    };
    for (const auto& [line, ok, expectedNumber, expectedRest] : cases) {
        int number = -1;
        std::string rest;
        EXPECT_EQ(SplitAnswer(line, number, rest), ok) << line;
        if (!ok) continue;
        EXPECT_EQ(number, expectedNumber) << line;
        EXPECT_EQ(rest, expectedRest) << line;
    }
}

TEST(RelayLines, ServerFieldTakesAnOptionalPort) {
    // server field, host (empty: refused), port
    const std::vector<std::tuple<QString, QString, quint16>> cases{
        {QStringLiteral("relay.example"), QStringLiteral("relay.example"), 17076},
        {QStringLiteral(" relay.example:2000 "), QStringLiteral("relay.example"), 2000},
        {QStringLiteral("[::1]:4000"), QStringLiteral("::1"), 4000},
        {QStringLiteral("::1"), QStringLiteral("::1"), 17076},
        {QStringLiteral("127.0.0.1:bad"), {}, 0},
        {QStringLiteral("127.0.0.1:0"), {}, 0},
        {QStringLiteral("127.0.0.1:65536"), {}, 0},
        {QStringLiteral(":2000"), {}, 0},
        {QStringLiteral("[::1]4000"), {}, 0},
    };
    for (const auto& [server, expectedHost, expectedPort] : cases) {
        QString host;
        quint16 port = 0;
        const bool valid = RelayConnection::ParseServer(server, host, port);
        EXPECT_EQ(valid, !expectedHost.isEmpty()) << server.toStdString();
        if (!valid) continue;
        EXPECT_EQ(host.toStdString(), expectedHost.toStdString());
        EXPECT_EQ(port, expectedPort) << server.toStdString();
    }
}

}  // namespace
}  // namespace kvtk
