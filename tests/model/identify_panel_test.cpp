#include <gmock/gmock.h>

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

TEST(IdentifyPanel, RecordsTheStatusOfEachReply) {
    const struct {
        int address;
        const char* lr73Reply;
        const char* kvReply;  // nullptr: "KV" must not be sent
        const char* status;
    } cases[] = {
        {7, "A07", "AKV-4800  0400", "KV-4800 Version 4.00"},
        {7, "A07", "AWQ16     0050", "WQ16 Version .50"},
        {7, "T", nullptr, "Not connected"},
        {7, "", nullptr, "Not connected"},
        {7, "A07", "T", "KV-4500 Version 1.07"},
        {7, "A07", "C", "KV-4500 Version 1.07"},
        {7, "A07", "", "Not connected"},  // a cancelled identity query identifies nothing
        // Short and odd replies give what they carry, never a crash.
        {7, "A07", "A", " Version .00"},
        {7, "A07", "AKV-4800  ZZZZ", "KV-4800 Version .00"},
        {7, "A07", "AKV-4800  9999999999", "KV-4800 Version 99.99"},
        {300, "T", nullptr, "Not connected"},  // outside the table: not recorded
        {-1, "T", nullptr, "Not connected"},
    };
    for (const auto& c : cases) {
        Configuration config;
        ScriptedExchange exchange;
        {
            InSequence order;
            EXPECT_CALL(exchange, Exchange(c.address, "LR73", "", 0)).WillOnce(Return(c.lr73Reply));
            if (c.kvReply)
                EXPECT_CALL(exchange, Exchange(c.address, "KV", _, 0)).WillOnce(Return(c.kvReply));
        }
        EXPECT_EQ(IdentifyPanel(config, exchange, c.address), c.status)
            << c.lr73Reply << (c.kvReply ? c.kvReply : "");
        if (c.address == 7) {
            EXPECT_EQ(config.AddressTable[7].Status, c.status);
        }
    }
}

}  // namespace
}  // namespace kvtk
