#include <gmock/gmock.h>

#include "model/products.h"

namespace kvtk {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Return;

class ScriptedExchange : public PanelExchange {
public:
    MOCK_METHOD(std::string, DoExchange,
                (int address, const std::string& command, const std::string& description,
                 FailureStyle style, int dataChars),
                (override));
};

// The exchange turns an "A" reply without the data asked for into "C"; here
// the replies are what the exchange returns.
TEST(IdentifyPanel, RecordsTheStatusOfEachReply) {
    const struct {
        int address;
        std::string lr73Reply;
        std::vector<const char*> kvReplies;  // in order; none: "KV" must not be sent
        const char* status;
        ProbeState probe;
    } cases[] = {
        {7, "A07", {"AKV-4800  0400"}, "KV-4800 Version 4.00", ProbeState::Answered},
        {7, "A07", {"AWQ16     0050"}, "WQ16 Version .50", ProbeState::Answered},
        {7, "T", {}, "Not connected", ProbeState::Silent},
        {7, "", {}, "Not connected", ProbeState::Silent},
        {7, "C", {}, "Not connected", ProbeState::Garbled},
        // A line of another kind is no panel, on the serial line and the relay.
        {7, "N", {}, "Not connected", ProbeState::Garbled},
        {7, std::string("\0\0\0", 3), {}, "Not connected", ProbeState::Garbled},
        // One lost identity reply is asked again; only a panel that never
        // tells its identity is taken by rule.
        {7, "A07", {"T", "AKV-4800  0400"}, "KV-4800 Version 4.00", ProbeState::Answered},
        {7, "A07", {"C", "AKV-4800  0400"}, "KV-4800 Version 4.00", ProbeState::Answered},
        {7, "A07", {"T", "T"}, "KV-4500 Version 1.07", ProbeState::Assumed},
        {7, "A07", {"N", "C"}, "KV-4500 Version 1.07", ProbeState::Assumed},
        {7,
         "A07",
         {""},
         "Not connected",
         ProbeState::Silent},  // a cancelled query identifies nothing
        {7, "A07", {"T", ""}, "Not connected", ProbeState::Silent},
        {7, "A07", {"AKV-4800  ZZZZ"}, "KV-4800 Version .00", ProbeState::Answered},
        {7, "A07", {"AKV-4800  9999999999"}, "KV-4800 Version 99.99", ProbeState::Answered},
        {300, "T", {}, "Not connected", ProbeState::Silent},  // outside the table: not recorded
        {-1, "T", {}, "Not connected", ProbeState::Silent},
    };
    for (const auto& c : cases) {
        Configuration config;
        ScriptedExchange exchange;
        const std::string& probe = c.lr73Reply;
        {
            InSequence order;
            EXPECT_CALL(exchange,
                        DoExchange(c.address, "LR73", "", FailureStyle::Silent, kAddressReplyChars))
                .WillOnce(Return(probe));
            for (const char* reply : c.kvReplies)
                EXPECT_CALL(exchange, DoExchange(c.address, "KV", _, FailureStyle::Silent,
                                                 kIdentityReplyChars))
                    .WillOnce(Return(reply));
        }
        const AddressEntry found = IdentifyPanel(config, exchange, c.address);
        EXPECT_EQ(AddressStatusText(found), c.status)
            << probe << ::testing::PrintToString(c.kvReplies);
        EXPECT_EQ(found.Probe, c.probe) << probe;
        if (c.address == 7) {
            EXPECT_EQ(config.AddressTable[7], found);
        }
    }
    EXPECT_EQ(AddressStatusText(AddressEntry{}), "Untested Address");
}

}  // namespace
}  // namespace kvtk
