// The panel line applies connection choices: a slot opens its own link,
// another slot closes the first, the relay and offline choices close the
// port, and a slot that is not usable leaves the line without one.
#include "comm/panel_line.h"

#include <gmock/gmock.h>

#include <QPointer>

#include "tests/support/fake_link.h"
#include "tests/support/scripted_prompter.h"

namespace kvtk {
namespace {

TEST(PanelLine, ChoicesOpenAndCloseTheirLinks) {
    test::ScriptedPrompter prompter;
    PanelLine line(PortSlots(QStringList{}), prompter);
    std::array<QPointer<test::FakeLink>, 3> made;  // the link each slot made last
    for (const int n : {1, 2}) {
        line.BindSlotFactory(
            n,
            [&made, n] {
                auto link = std::make_unique<test::FakeLink>();
                made[static_cast<size_t>(n)] = link.get();
                return link;
            },
            QStringLiteral("fake %1").arg(n));
    }
    line.BindSlotFactory(3, {}, QStringLiteral("/nonexistent/kvtk-port"));
    EXPECT_EQ(line.UsableSlots(), (std::vector<int>{1, 2}));
    line.Settings().SetAttempts(1);
    line.Settings().SetMaxResponseMs(5);

    const struct {
        PanelConnection Choice;
        bool Applied;
        PanelConnection Connection;
        int OpenSlot;  // the slot whose link is open (and took the frame), 0 none
    } steps[] = {
        {PanelConnection::Serial(1), true, PanelConnection::Serial(1), 1},
        {PanelConnection::Serial(2), true, PanelConnection::Serial(2), 2},
        {PanelConnection::Serial(3), false, PanelConnection::Serial(0), 0},
        {PanelConnection::Serial(1), true, PanelConnection::Serial(1), 1},
        {PanelConnection::Relay(), true, PanelConnection::Relay(), 0},
        {PanelConnection::Serial(2), true, PanelConnection::Serial(2), 2},
        {PanelConnection::Offline(), true, PanelConnection::Offline(), 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(PortText(step.Choice) + " " + ConnectionText(step.Choice));
        EXPECT_EQ(line.Choose(step.Choice), step.Applied);
        EXPECT_EQ(line.Connection(), step.Connection);
        EXPECT_EQ(line.OpenSlotNumber(), step.OpenSlot);
        for (const int n : {1, 2}) {
            const QPointer<test::FakeLink>& link = made[static_cast<size_t>(n)];
            // A port not chosen is closed (its link gone), the chosen one open.
            EXPECT_EQ(!link.isNull() && link->isOpen(), n == step.OpenSlot) << n;
        }
        if (step.OpenSlot == 0) continue;
        line.Exchange().Exchange(1, "LR73", "", FailureStyle::Silent);
        EXPECT_THAT(made[static_cast<size_t>(step.OpenSlot)]->writes,
                    ::testing::ElementsAre(">01LR7369\r"));
    }
    EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace kvtk
