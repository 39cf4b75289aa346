#include "comm/wire_format.h"

#include <gmock/gmock.h>

#include "comm/serial_exchange.h"

namespace kvtk {
namespace {

TEST(WireFormat, AddressFieldCoversAllThreeForms) {
    const struct {
        int address;
        std::string field;
    } cases[] = {
        {0, "00"},
        {1, "01"},
        {255, "FF"},
        {256, "O0"},
        {300, "PC"},
        {511, "VV"},
        {512, "00"},
        {1023, "FV"},
        {2000, std::string{'\x07', '\xD0'}},
        {1024, std::string{'\x04', '\x00'}},
    };
    for (const auto& c : cases) EXPECT_EQ(EncodeAddressField(c.address), c.field) << c.address;
}

TEST(WireFormat, FramesForSerialLineAndRelay) {
    EXPECT_EQ(SerialFrame(1, "LR73"), ">01LR7369\r");
    EXPECT_EQ(RelayFrame(1, "LR73"), "01LR73\r");
    // Checksum over the raw bytes of a two-byte address: 7 + 208 + "KV".
    EXPECT_EQ(SerialFrame(2000, "KV"), std::string(">\x07\xD0KV") + "78\r");
}

TEST(WireFormat, ReplyChecksumAndClassification) {
    const struct {
        std::string line;
        bool checksumOk;
        std::string reply;
    } cases[] = {
        {"A0001C1", true, "A0001"},  // 48+48+48+49 = 193
        {"A1234FF", false, "C"},
        {"A", true, "A"},    // no data, no checksum: accepted as it is
        {"A0", false, "C"},  // two characters: no room for data and checksum
        {"A00", true, "A"},  // empty data, checksum 0
        {"AY" + std::string("59"), true, "AY"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplyChecksumOk(c.line), c.checksumOk) << c.line;
        EXPECT_EQ(ClassifyReplyLine(c.line), c.reply) << c.line;
    }
}

TEST(WireFormat, ReaderHandlesEchoDotsAndOverlongLines) {
    const std::string frame = ">01LR7369\r";
    SerialReplyReader reader(frame);
    bool restart = false;
    for (char ch : frame) EXPECT_FALSE(reader.Take(ch, restart));
    EXPECT_TRUE(reader.Line().empty());  // the echo is dropped
    for (char ch : std::string("A00")) reader.Take(ch, restart);
    EXPECT_FALSE(reader.Take('.', restart));  // busy: starts over
    EXPECT_TRUE(restart);
    EXPECT_TRUE(reader.Line().empty());
    for (char ch : std::string("NO")) reader.Take(ch, restart);
    EXPECT_FALSE(reader.Take('\r', restart));  // not an "A" line: goes on
    EXPECT_FALSE(restart);

    SerialReplyReader flood(frame);
    for (size_t i = 0; i < SerialReplyReader::kMaxLineLength + 10; ++i) flood.Take('x', restart);
    EXPECT_FALSE(restart);  // garbage no longer extends the wait
    EXPECT_LE(flood.Line().size(), SerialReplyReader::kMaxLineLength);
    flood.Take('\r', restart);
    for (char ch : std::string("A0001C1")) flood.Take(ch, restart);
    EXPECT_TRUE(flood.Take('\r', restart));
    EXPECT_EQ(flood.Line(), "A0001C1");
}

}  // namespace
}  // namespace kvtk
