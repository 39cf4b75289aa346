#include "sim/sim_panel.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kvtk {
namespace {

using Reply = std::optional<std::string>;

TEST(SimPanelIdentity, AnswersKvWithPaddedModelAndFourDigitVersion) {
    struct Case {
        std::string model, version;
        bool answersKv;
        Reply expected;
    };
    const Case cases[] = {
        {"KV-4800", "0400", true, "AKV-4800  0400"},
        {"KV-4800", "4.00", true, "AKV-4800  0400"},  // a version text is accepted too
        {"WQ16", "5.00+", true, "AWQ16     0500"},
        {"TMC-1400", "0205", true, "ATMC-1400 0205"},
        {"KV-4500", "0107", false, std::nullopt},  // the oldest panels keep silent
    };
    for (const auto& c : cases) {
        SimPanel panel(9, c.model, c.version, c.answersKv);
        EXPECT_EQ(panel.Handle("KV"), c.expected) << c.model;
        EXPECT_EQ(panel.Handle("LR73"), Reply("A0009")) << c.model;  // LR73 always answers
    }
}

TEST(SimPanelPowerOn, ValuesFollowProductAndFirmware) {
    struct Case {
        std::string model, version;
        std::string inputs, relays, energize;
        std::string group1Members;
        int groups;
        std::string input1Word;
    };
    const Case cases[] = {
        {"KV-4800", "0400", "A10", "A08", "A04", "A0100000000000000", 60, "A0041"},
        {"KV-4800", "0300", "A10", "A08", "A04", "A01", 12, "A0041"},
        {"KV-4800", "0100", "A10", "A08", "A04", "A01", 12,
         "A0041"},  // current layout on any KV-4800
        {"KV-4900", "0109", "A78", "A3C", "A04", "A0100000000000000", 30, "A0021"},  // early layout
        {"KV-4500", "0107", "A78", "A3C", "A04", "A0100000000000000", 30, "A0021"},
        {"TMC-1400", "0400", "A78", "A3C", "A0D", "A0100000000000000", 60, "A0041"},
        {"WQ08", "0500", "A78", "A08", "A04", "A0100000000000000", 60, "A0041"},
        {"WQ48", "0500", "A78", "A30", "A04", "A0100000000000000", 60, "A0041"},
        {"WQ60", "0500", "A78", "A3C", "A04", "A0100000000000000", 60, "A0041"},
        {"KV-4600", "0205", "A78", "A3C", "A04", "A0100000000000000", 60, "A0041"},
        {"KV-1400", "0400", "A78", "A3C", "A04", "A0100000000000000", 60, "A0041"},
    };
    for (const auto& c : cases) {
        SimPanel panel(1, c.model, c.version);
        SCOPED_TRACE(c.model + " " + c.version);
        EXPECT_EQ(panel.Handle("LR65"), Reply(c.inputs));
        EXPECT_EQ(panel.Handle("LR64"), Reply(c.relays));
        EXPECT_EQ(panel.Handle("LR63"), Reply(c.energize));
        EXPECT_EQ(panel.Handle("LR301"), Reply(c.group1Members));
        EXPECT_EQ(panel.Handle("LR901"), Reply(c.input1Word));
        EXPECT_EQ(panel.Handle("LR61"), Reply("A0258"));  // 10:00
        EXPECT_EQ(panel.Handle("LR62"), Reply("A05"));
        EXPECT_EQ(panel.Handle("LR41"), Reply("A0E10"));
        EXPECT_EQ(panel.Handle("LR67" + std::string(c.groups == 12 ? "0C" : "1E")), Reply("A1"));
        // The last group answers, the one after it does not.
        char last[3], next[3];
        std::snprintf(last, sizeof last, "%02X", c.groups);
        std::snprintf(next, sizeof next, "%02X", c.groups + 1);
        EXPECT_TRUE(panel.Handle(std::string("LR21") + last).has_value());
        EXPECT_EQ(panel.Handle(std::string("LR21") + next), std::nullopt);
        EXPECT_EQ(panel.Handle("LR72"), Reply("A00"));
    }
}

TEST(SimPanelPowerOn, GroupNMemberNAndInputGroupsCycle) {
    SimPanel panel(1, "WQ60", "0500");
    EXPECT_EQ(panel.Handle("LR33C"), Reply("A0000000000000008"));  // group 60: member 60
    EXPECT_EQ(panel.Handle("LR309"), Reply("A0001000000000000"));  // group 9: member 9
    EXPECT_EQ(panel.Handle("LR93D"), Reply("A0041"));              // input 61 -> group 1
    SimPanel old(1, "KV-4800", "0300");
    EXPECT_EQ(old.Handle("LR309"), Reply("A00"));  // one byte carries members 1 to 8 only
}

TEST(SimPanelRegisters, WritesReadBackExactlyAsSent) {
    SimPanel panel(1, "KV-4900", "0400");
    const std::pair<std::string, std::string> cases[] = {
        {"LW6510", "LR65"},
        {"LW6420", "LR64"},
        {"LW610078", "LR61"},
        {"LW620A", "LR62"},
        {"LW410E11", "LR41"},
        {"LW427FFF", "LR42"},
        {"LW430000", "LR43"},
        {"LW6603", "LR66"},
        {"LW6382", "LR63"},
        {"LW24A5", "LR24"},
        {"LW230102030405060F", "LR23"},
        {"LW905C64C", "LR905"},
        {"LW97800AB", "LR978"},  // input 120
        {"LW21101", "LR2110"},   // group 16 becomes a supergroup
        {"LW301FF", "LR301"},    // a short member value stays short
        {"LW33C0100000000000008", "LR33C"},
        {"LW50A3", "LR50A"},
        {"LW67010", "LR6701"},
        {"LW78000000000000000F", "LR78"},
        {"LW905c64c", "LR905"},  // lower-case digits are kept as they came
    };
    for (const auto& [write, read] : cases) {
        EXPECT_EQ(panel.Handle(write), Reply("AY")) << write;
        const std::string value = write.substr(read.size());
        EXPECT_EQ(panel.Handle(read), Reply("A" + value)) << write;
    }
    EXPECT_EQ(panel.Register("9:05"), "c64c");
    EXPECT_EQ(panel.Register("21:10"), "1");
}

TEST(SimPanelRegisters, CommandsThePanelDoesNotKnowGetNoAnswer) {
    SimPanel panel(1, "KV-4800", "0300");
    const char* silent[] = {
        "",         "XX",    "kv",     "LR",     "LR99",   "LR9",  "LR900",
        "LR911",    "LR30D", "LR2100", "LR6501", "LR7300", "LR27", "LR270107",
        "LR270000", "LS",    "LSFOO",  "L",      "L0",     "L0G",  "L41",
        "L00",      "L0D",   "LW9",    "LW911",  "LW3",    "LWXX", "Q",
    };
    for (const char* command : silent) EXPECT_EQ(panel.Handle(command), std::nullopt) << command;
    // Known but refused writes answer "AN".
    const char* refused[] = {"LW65",   "LW7200",  "LW801", "LW2601", "LW73",
                             "LW7300", "LW73100", "LW1FF", "LW1"};
    for (const char* command : refused) EXPECT_EQ(panel.Handle(command), Reply("AN")) << command;
    EXPECT_EQ(panel.Received().size(), std::size(silent) + std::size(refused));
}

TEST(SimPanelSystem, SaveResetAndWriteEnable) {
    SimPanel panel(4, "TMC-1400", "0400");
    panel.SetRequireWriteEnable(true);
    EXPECT_EQ(panel.Handle("LW6510"), Reply("AN"));
    EXPECT_EQ(panel.Handle("LSWEN"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LW6510"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LSYS_SAVE"), Reply("AN"));  // not enabled
    EXPECT_EQ(panel.Handle("LSAVE_EN"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LSYS_SAVE"), Reply("AY"));
    EXPECT_EQ(panel.SaveCount(), 1);
    EXPECT_EQ(panel.SavedRegister("65"), "10");
    EXPECT_EQ(panel.Handle("LW6420"), Reply("AY"));  // working copy only
    EXPECT_EQ(panel.Handle("LSU"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LW6430"), Reply("AN"));
    EXPECT_EQ(panel.Handle("LSRESET83"), Reply("AY"));
    EXPECT_EQ(panel.ResetCount(), 1);
    EXPECT_EQ(panel.Handle("LR65"), Reply("A10"));  // saved
    EXPECT_EQ(panel.Handle("LR64"), Reply("A3C"));  // unsaved write lost
    EXPECT_FALSE(panel.WriteEnabled());
    EXPECT_EQ(panel.Received().front(), "LW6510");
    EXPECT_EQ(panel.Received().back(), "LR64");
}

TEST(SimPanelSystem, AddressProductCodeAndBadRelays) {
    SimPanel panel(1, "KV-4500", "0400");
    EXPECT_EQ(panel.Handle("LW7307"), Reply("AY"));
    EXPECT_EQ(panel.Address(), 7);
    EXPECT_EQ(panel.Handle("LR73"), Reply("A0007"));
    EXPECT_EQ(panel.Handle("LSRESET83"), Reply("AY"));  // not saved: back at 1
    EXPECT_EQ(panel.Address(), 1);

    EXPECT_EQ(panel.Handle("LW107"), Reply("AY"));  // KV-4300
    EXPECT_EQ(panel.Handle("KV"), Reply("AKV-4300  0400"));
    EXPECT_EQ(panel.Handle("LW10D"), Reply("AY"));  // WQ60
    EXPECT_EQ(panel.Handle("LR1"), Reply("A0D"));
    EXPECT_EQ(panel.Handle("LW10E"), Reply("AN"));  // no such product

    panel.SetBadRelay(3, true);
    panel.SetBadRelay(17, true);
    EXPECT_EQ(panel.Handle("LR78"), Reply("A0400010000000000"));
    EXPECT_EQ(panel.Handle("LW78"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LR78"), Reply("A0000000000000000"));
}

TEST(SimPanelLive, InputsAndAnalogChannels) {
    SimPanel wq(1, "WQ16", "0500");
    wq.SetLiveInput(1, true);
    wq.SetLiveInput(3, true);
    wq.SetLiveInput(120, true);
    EXPECT_EQ(wq.Handle("LR8"), Reply("A050000000000000000000000000080"));
    wq.SetAnalog(1, 0x3FF);
    EXPECT_EQ(wq.Handle("LR270106"), Reply("A03FF00330066008000CC00FF"));
    EXPECT_EQ(wq.Handle("LR270502"), Reply("A00CC00FF"));
    EXPECT_EQ(wq.Handle("LR26"), Reply("ACC"));
    wq.SetAnalog(5, 0x1234);
    EXPECT_EQ(wq.Handle("LR26"), Reply("AFF"));  // one byte: saturates
    EXPECT_EQ(wq.Handle("LW8FF"), Reply("AN"));

    SimPanel kv(2, "KV-4800", "0400");
    kv.SetLiveInput(16, true);
    kv.SetLiveInput(17, true);  // no such input
    EXPECT_EQ(kv.Handle("LR8"), Reply("A0080"));
}

TEST(SimPanelLive, GroupRecordsAndSwitching) {
    SimPanel panel(1, "WQ16", "0500");
    EXPECT_EQ(panel.Handle("L01"), Reply("A40"));  // not commanded since power up
    EXPECT_EQ(panel.Handle("LC1"), Reply("A01"));
    EXPECT_TRUE(panel.GroupOn(1));
    EXPECT_EQ(panel.Handle("L81"), Reply("A00"));
    EXPECT_FALSE(panel.GroupOn(1));

    panel.Group(2) = {'0', 3, 0x12, 0, false};
    panel.Group(3) = {'0', 4, 5, 0x0E10, false};
    panel.Group(4) = {'2', 6, 0, 0, false};
    // Records of 4, 8 and 2 characters follow each other without separator.
    EXPECT_EQ(panel.Handle("L02030401"), Reply("A0312"
                                               "04050E10"
                                               "26"
                                               "00"));

    panel.Group(5).locked = true;
    EXPECT_EQ(panel.Handle("LC5"), Reply("A40"));  // refused

    panel.SetManualMode(true);
    EXPECT_EQ(panel.Handle("LC1"), Reply("A80"));  // ignored, status 8
    panel.SetManualMode(false);

    // A supergroup switches its member groups.
    EXPECT_EQ(panel.Handle("LW21061"), Reply("AY"));
    EXPECT_EQ(panel.Handle("LW3060600000000000000"), Reply("AY"));  // groups 2 and 3
    EXPECT_EQ(panel.Handle("LC6"), Reply("A01"));
    EXPECT_TRUE(panel.GroupOn(2));
    EXPECT_TRUE(panel.GroupOn(3));
    EXPECT_EQ(panel.Handle("L03"), Reply("A01"));

    // A batch of 30 codes answers 30 records.
    std::string batch = "L";
    for (int g = 1; g <= 30; ++g) {
        char code[3];
        std::snprintf(code, sizeof code, "%02X", 0xC0 + g);
        batch += code;
    }
    const Reply all = panel.Handle(batch);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->size(), 1u + 30 * 2);
    EXPECT_FALSE(panel.GroupOn(5));  // still locked
    EXPECT_TRUE(panel.GroupOn(30));
}

}  // namespace
}  // namespace kvtk
