#include "transfer/site/site_write.h"

#include <gtest/gtest.h>

#include "files/config_writer.h"
#include "tests/files/test_folder.h"
#include "tests/support/fake_panel.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

// The panel at address 2 drops every write (its exchange gives up): the
// run ends there, address 3 is never written, and each step is reported.
TEST(SiteWrite, StopsAtTheFirstPanelThatFails) {
    test::TestFolder folder;
    std::vector<SiteWriteTarget> targets;
    for (const int address : {1, 2, 3}) {
        Configuration config = test::ConfigFor("WQ16", "5.00");
        config.Panel.Address = std::to_string(address);
        const std::string name = "panel" + std::to_string(address) + ".kvx";
        ASSERT_TRUE(WriteConfigFile(folder.File(name), config, {}).Ok());
        targets.push_back(
            {{address, SiteState::Differs, "WQ16", "5.00", name, 1}, folder.File(name)});
    }
    test::ScriptedPanel panel;
    panel.Responder = [](int address, const std::string& command) -> std::string {
        if (command.rfind("LR", 0) == 0) return "A00";
        if (address == 2 && command.rfind("LW", 0) == 0) return "";
        return "AY";
    };
    test::RecordingHost host;
    SiteWriteRequest request;
    request.BackupFolder = folder.File("backups");
    request.When = 1796565600;

    const SiteWriteOutcome outcome = WriteSite(targets, request, panel, host);

    ASSERT_EQ(outcome.Panels.size(), 3u);
    EXPECT_EQ(outcome.Panels[0].Step, SiteWriteStep::Done);
    EXPECT_EQ(outcome.Panels[1].Step, SiteWriteStep::Failed);
    EXPECT_FALSE(outcome.Panels[1].Why.empty());
    EXPECT_EQ(outcome.Panels[2].Step, SiteWriteStep::NotStarted);
    EXPECT_FALSE(outcome.AllDone());
    int savesAt1 = 0;
    for (const test::ExchangeCall& call : panel.Calls) {
        EXPECT_NE(call.Address, 3) << call.Command;
        savesAt1 += call.Address == 1 && call.Command == "LSYS_SAVE";
        EXPECT_FALSE(call.Address == 2 && call.Command == "LSYS_SAVE");
    }
    EXPECT_GE(savesAt1, 1);
}

}  // namespace
}  // namespace kvtk
