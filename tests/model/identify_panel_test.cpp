#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/products.h"

namespace kvtk {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Return;

class ScriptedExchange : public PanelExchange {
public:
    MOCK_METHOD(std::string, Exchange,
                (int address, const std::string& command, const std::string& description,
                 int style),
                (override));
};

struct IdentifyCase {
    const char* lr73Reply;
    const char* kvReply;  // nullptr: "KV" must not be sent
    const char* status;
};

class IdentifyPanelTest : public ::testing::TestWithParam<IdentifyCase> {};

TEST_P(IdentifyPanelTest, RecordsStatus) {
    const auto& c = GetParam();
    Configuration config;
    ScriptedExchange exchange;
    {
        InSequence order;
        EXPECT_CALL(exchange, Exchange(7, "LR73", "", 0)).WillOnce(Return(c.lr73Reply));
        if (c.kvReply) EXPECT_CALL(exchange, Exchange(7, "KV", "", 0)).WillOnce(Return(c.kvReply));
    }
    EXPECT_EQ(IdentifyPanel(config, exchange, 7), c.status);
    EXPECT_EQ(config.AddressTable[7].Status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, IdentifyPanelTest,
    ::testing::Values(IdentifyCase{"A07", "AKV-4800  0400", "KV-4800 Version 4.00"},
                      IdentifyCase{"A07", "AWQ16     0050", "WQ16 Version .50"},
                      IdentifyCase{"T", nullptr, "Not connected"},
                      IdentifyCase{"C", nullptr, "Not connected"},
                      IdentifyCase{"", nullptr, "Not connected"},
                      IdentifyCase{"A07", "T", "KV-4500 Version 1.07"},
                      IdentifyCase{"A07", "C", "KV-4500 Version 1.07"},
                      // A cancelled identity query identifies nothing.
                      IdentifyCase{"A07", "", "Not connected"},
                      // Short and odd replies give what they carry, never a crash.
                      IdentifyCase{"A07", "A", " Version .00"},
                      IdentifyCase{"A07", "AKV", "KV Version .00"},
                      IdentifyCase{"A07", "AKV-4800  04", "KV-4800 Version .04"},
                      IdentifyCase{"A07", "AKV-4800  ZZZZ", "KV-4800 Version .00"},
                      IdentifyCase{"A07", "AKV-4800  9999999999", "KV-4800 Version 99.99"}));

TEST(IdentifyPanel, AddressOutsideTheTableIsNotRecorded) {
    Configuration config;
    ScriptedExchange exchange;
    EXPECT_CALL(exchange, Exchange(300, "LR73", _, 0)).WillOnce(Return("T"));
    EXPECT_EQ(IdentifyPanel(config, exchange, 300), "Not connected");
    EXPECT_CALL(exchange, Exchange(-1, "LR73", _, 0)).WillOnce(Return("T"));
    EXPECT_EQ(IdentifyPanel(config, exchange, -1), "Not connected");
}

}  // namespace
}  // namespace kvtk
