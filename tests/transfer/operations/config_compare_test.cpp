#include "transfer/operations/config_compare.h"

#include <gtest/gtest.h>

#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// The members compared are those the product's member registers carry, up to
// its relays: a difference in a group's last one must be found (verify after
// a write relies on it), one beyond them has no register and is not.
TEST(ConfigCompare, MembersUpToTheLastRelayTheRegistersCarry) {
    const struct {
        const char* model;
        const char* version;
        int relay;
        const char* line;  // empty: no difference
    } cases[] = {
        {"WQ16", "5.00", 16, "Group 3 relay 16: file on, panel off"},
        {"WQ16", "5.00", 17, ""},
        {"WQ60", "5.00", 60, "Group 3 relay 60: file on, panel off"},
        {"KV-4800", "3.00", 8, "Group 3 relay 8: file on, panel off"},
        {"KV-4800", "3.00", 9, ""},
    };
    for (const auto& c : cases) {
        const Configuration panel = test::ConfigFor(c.model, c.version);
        Configuration file = panel;
        file.Groups[3].SetMember(c.relay, true);
        std::string lines;
        for (const ConfigDifference& d : ConfigurationDifferences(file, panel))
            lines += DifferenceLine(d);
        EXPECT_EQ(lines, c.line) << c.model << " relay " << c.relay;
    }
}

}  // namespace
}  // namespace kvtk
