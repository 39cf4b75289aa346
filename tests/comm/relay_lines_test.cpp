#include "comm/relay_lines.h"

#include <gmock/gmock.h>

#include "comm/relay_connection.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> Split(const std::vector<QByteArray>& chunks) {
    RelayLineSplitter splitter;
    std::vector<std::string> lines;
    for (const auto& chunk : chunks)
        splitter.Feed(chunk, [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

TEST(RelayLines, LinesEndAtTheirLineEndNotAtReadBoundaries) {
    EXPECT_THAT(Split({"1A0001C1\r\n"}), ElementsAre("1A0001C1"));
    EXPECT_THAT(Split({"1A00", "01C", "1\r", "\n"}), ElementsAre("1A0001C1"));
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
    const struct {
        std::string line;
        bool ok;
        int number;
        std::string rest;
    } cases[] = {
        {"1A0001C1", true, 1, "A0001C1"},
        {"12A0001C1", true, 12, "A0001C1"},  // not number 1 with
                                             // "2A..."
        {"0ERR", true, 0, "ERR"},
        {"255AY59", true, 255, "AY59"},
        {"OK", false, 0, ""},
    };
    for (const auto& c : cases) {
        int number = -1;
        std::string rest;
        EXPECT_EQ(SplitAnswer(c.line, number, rest), c.ok) << c.line;
        if (!c.ok) continue;
        EXPECT_EQ(number, c.number) << c.line;
        EXPECT_EQ(rest, c.rest) << c.line;
    }
}

TEST(RelayLines, ServerFieldTakesAnOptionalPort) {
    const struct {
        QString server;
        QString host;  // empty: refused
        quint16 port;
    } cases[] = {
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
    for (const auto& c : cases) {
        QString host;
        quint16 port = 0;
        const bool valid = RelayConnection::ParseServer(c.server, host, port);
        EXPECT_EQ(valid, !c.host.isEmpty()) << c.server.toStdString();
        if (!valid) continue;
        EXPECT_EQ(host.toStdString(), c.host.toStdString());
        EXPECT_EQ(port, c.port) << c.server.toStdString();
    }
}

}  // namespace
}  // namespace kvtk
