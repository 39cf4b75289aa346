#include "transfer/firmware_conditions.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtk {
namespace {

struct ConditionCase {
    ProductIdentity id;
    InputLayout layout;
    int readBytes;
    int writeBytes;
    bool codeTable;
    bool skip60;
    bool specialOptions;
    bool groupFlash;
};

TEST(FirmwareConditions, Table) {
    const auto cur = InputLayout::Current;
    const auto early = InputLayout::Early;
    const std::vector<ConditionCase> cases{
        {{"KV-4800", "1.00"}, cur, 1, 1, false, false, false, false},
        {{"KV-4800", "3.99"}, cur, 1, 1, false, false, true, true},
        {{"KV-4800", "4.00"}, cur, 8, 1, false, false, true, true},
        {{"KV-4500", "1.09"}, early, 8, 8, true, false, false, false},
        {{"KV-4500", "1.10"}, cur, 8, 8, false, false, false, false},
        {{"KV-4600", "1.09"}, early, 8, 8, false, true, false, false},
        {{"KV-4600", "1.10"}, cur, 8, 8, false, false, false, false},
        {{"KV-4900", "1.18"}, cur, 8, 8, false, false, false, false},
        {{"KV-4900", "1.19"}, cur, 8, 8, false, false, false, true},
        {{"KV-4900", "2.05"}, cur, 8, 8, false, false, false, true},
        {{"KV-4900", "2.06"}, cur, 8, 8, false, false, true, true},
        {{"TMC-1400", ".50"}, early, 8, 8, false, false, false, false},
        {{"WQ16", "5.00"}, cur, 8, 8, false, false, true, true},
        {{"", ""}, early, 8, 8, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id.Model + " " + c.id.Version);
        EXPECT_EQ(InputWordLayout(c.id), c.layout);
        EXPECT_EQ(MemberReadBytes(c.id), c.readBytes);
        EXPECT_EQ(MemberWriteBytes(c.id), c.writeBytes);
        EXPECT_EQ(UsesFlashOffCodeTable(c.id), c.codeTable);
        EXPECT_EQ(SkipsGroup60OnWrite(c.id), c.skip60);
        EXPECT_EQ(TransfersSpecialOptions(c.id), c.specialOptions);
        EXPECT_EQ(TransfersGroupFlash(c.id), c.groupFlash);
    }
}

}  // namespace
}  // namespace kvtk
