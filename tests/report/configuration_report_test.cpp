#include "report/configuration_report.h"

#include <gmock/gmock.h>

#include <algorithm>

#include "report/text_renderer.h"
#include "report_fixture.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using namespace kvtk::testing;
using namespace std::string_literals;

const PageGrid kGrid87 = GridFromCharacters(87, 66);  // width 80, left 4, 60 lines, top 3

ReportLayout Build(const Configuration& config, const ReportRequest& request,
                   const PageGrid& grid = kGrid87) {
    ReportResult result = BuildConfigurationReport(config, request, grid);
    EXPECT_EQ(result.Error, "");
    return result.Layout.value_or(ReportLayout{});
}

std::string Rule(int left = 4) {
    return std::string(left, ' ') + std::string(80, '-');
}

// The text lines of the group section from its heading on.
std::vector<std::string> GroupSection(const ReportLayout& layout) {
    std::vector<std::string> lines;
    bool inside = false;
    for (const auto& page : PagesAsText(layout)) {
        for (const auto& line : page) {
            if (line == "    GROUP INFORMATION") inside = true;
            if (inside) lines.push_back(line);
        }
    }
    return lines;
}

TEST(ConfigurationReportTest, FirstPageHoldsHeaderOriginAndGeneralInformation) {
    const ReportLayout layout = Build(SampleConfiguration(), SampleRequest());
    const std::string header = "    KV-4900 4.00 data     Printed: 12-03-2026 14:05:09";
    const std::string headerLine = header + std::string(76 - header.size(), ' ') + "Page 1";
    EXPECT_THAT(
        PagesAsText(layout).at(0),
        ElementsAre("", "", "", Rule(), headerLine, Rule(), "",
                    "    Data is not from a saved file.", "", "    GENERAL INFORMATION", "",
                    "      Address: 5", "      Number of Inputs: 16", "      Number of Relays: 8",
                    "      Flash On Time: 10:00 mm:ss", "      Flash Off Time: 0.5 seconds",
                    "      Timer 1: 01:00 hh:mm", "      Timer 2: 02:00 hh:mm",
                    "      Timer 3: 03:00 hh:mm", "      Relay Refresh Rate: OFF",
                    "      Relay Energize Duration: 0.048 seconds"));
    const ReportLine& heading = layout.Pages[0].Lines[9];
    EXPECT_THAT(heading.Emphasis, ElementsAre(EmphasisRun{0, 19}));
}

TEST(ConfigurationReportTest, OriginAndOptionalGeneralLines) {
    Configuration config = SampleConfiguration();
    config.Panel.DeviceName = "East Wing";
    config.Panel.RelayRefresh = "30";
    ReportRequest request = SampleRequest();
    request.Origin = {true, "C:\\PANELS\\EAST.KVX", "12-01-26", "09:30:00", "EAST WING PANEL"};
    const auto page = PagesAsText(Build(config, request)).at(0);
    EXPECT_EQ(page[7],
              "    Originated from file: C:\\PANELS\\EAST.KVX   Created: 12-01-26 09:30:00");
    EXPECT_EQ(page[8], "     Description: EAST WING PANEL");
    EXPECT_EQ(page[13], "      Name: East Wing");
    EXPECT_THAT(page, ::testing::Contains("      Relay Refresh Rate: 30 minutes"));
}

TEST(ConfigurationReportTest, InputLinesShowLabelTypeContactGroupTimerAndFlash) {
    Configuration config = SampleConfiguration();
    config.Groups[3].Name = "Lobby";
    config.Groups[12].Name = "Hall";
    config.Groups[0].Name = "Never";  // entry 0 is no group
    InputConfig& door = config.Inputs[7];
    door = {"Front Door", kMomentaryOn, 0, 3, 1, 0};
    config.Inputs[8] = {"", kStateChange, 1, 0, 3, kTrue};  // group 0: no name looked up
    config.Inputs[9] = {"", 9, 5, 61, 0, 1};                // unknown type, group above MaxGroups
    config.Inputs[10] = {"", kLinkedOn, 0, -2, 0, 0};       // a corrupt group never indexes
    const ReportLayout layout = Build(config, SampleRequest());
    const auto pages = PagesAsText(layout);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_THAT(pages[1],
                ::testing::IsSupersetOf({
                    "    INPUT INFORMATION"s,
                    "      Input   7=Front Door: Momentary On, Nrm Open, Grp 3=Lobby, "
                    "Tmr 1, No Flash"s,
                    "      Input   8: State Change, Nrm Closed, Grp 0, Tmr 3, Flash"s,
                    "      Input   9: , Nrm Open, , Tmr 0, Flash"s,
                    "      Input  10: Linked On, Nrm Open, Grp -2, Tmr 0, No Flash"s,
                    "      Input  12: Momentary On, Nrm Open, Grp 12=Hall, Tmr 0, No Flash"s,
                }));
    // The label up to ": " is emphasised, the rest is not.
    ASSERT_EQ(FindLine(layout, pages[1][14]).Page, 2);
    EXPECT_THAT(pages[1][14], HasSubstr("Input   7="));
    EXPECT_THAT(layout.Pages[1].Lines[14].Emphasis, ElementsAre(EmphasisRun{0, 22}));
}

TEST(ConfigurationReportTest, InputTypeTextFollowsTheProductsList) {
    Configuration config = SampleConfiguration("KV-4900", "1.09");
    config.Inputs[1].Type = kLinkedOn;  // not offered below 2.05
    const auto pages = PagesAsText(Build(config, SampleRequest()));
    EXPECT_EQ(pages.at(1).at(8), "      Input   1: , Nrm Open, Grp 1, Tmr 0, No Flash");
}

TEST(ConfigurationReportTest, GroupFlashWordOnlyAboveFirmware118) {
    const std::pair<const char*, const char*> cases[] = {{"1.18", ""}, {"1.19", "Flash"}};
    for (const auto& [version, flash] : cases) {
        Configuration config = SampleConfiguration("KV-4900", version);
        config.Groups[1].ConstantFlash = kTrue;
        EXPECT_EQ(GroupSection(Build(config, SampleRequest(1))).at(1),
                  "      Group  1: Normal, No Main Pri, Ser On Pri, "s + flash)
            << version;
    }
}

TEST(ConfigurationReportTest, GroupLineShowsNameTypeAndPriorities) {
    Configuration config = SampleConfiguration();
    const char* priorities[] = {"No Main Pri", "Main On Pri", "Main Off Pri", "Main OnOff Pri", ""};
    for (int16_t p = 0; p <= 4; ++p) config.Groups[p + 1].Priority = p == 4 ? 7 : p;
    config.Groups[2] = GroupConfig{"Lobby", 1, {}, 1, 0, kTrue};
    const auto lines = GroupSection(Build(config, SampleRequest(5)));
    EXPECT_EQ(lines.at(3), "      Group  2=Lobby: Super, Main On Pri, No Ser Pri, Flash");
    for (int g = 1; g <= 5; ++g) {
        if (g == 2) continue;
        EXPECT_THAT(lines, ::testing::Contains(std::string("      Group  ") + std::to_string(g) +
                                               ": Normal, " + priorities[g - 1] +
                                               ", Ser On Pri, No Flash"));
    }
}

TEST(ConfigurationReportTest, MemberLinesWrapAtTheReportWidth) {
    Configuration config = SampleConfiguration();
    config.Panel.NumRelays = "60";
    for (int k = 1; k <= 60; ++k) config.Groups[1].SetMember(k, true);
    config.Groups[2].SetMember(2, false);  // no member at all
    config.Groups[4].Type = 1;             // supergroup of groups 4 and 12
    config.Groups[4].SetMember(12, true);
    for (int k = 1; k <= 20; ++k) config.Groups[5].SetMember(k, true);  // exactly one full line
    config.Groups[6].Type = 1;
    config.Groups[6].SetMember(6, false);
    const auto lines = GroupSection(Build(config, SampleRequest(6)));

    std::string first = "                Relays:";
    std::string second = "                       ";
    std::string third = second;
    for (int k = 1; k <= 20; ++k) first += (k < 10 ? "  " : " ") + std::to_string(k);
    for (int k = 21; k <= 40; ++k) second += " " + std::to_string(k);
    for (int k = 41; k <= 60; ++k) third += " " + std::to_string(k);
    EXPECT_THAT(lines, ElementsAreArray({
                           "    GROUP INFORMATION"s,
                           "      Group  1: Normal, No Main Pri, Ser On Pri, No Flash"s,
                           first,
                           second,
                           third,
                           "      Group  2: Normal, No Main Pri, Ser On Pri, No Flash"s,
                           "                Relays: None"s,
                           "      Group  3: Normal, No Main Pri, Ser On Pri, No Flash"s,
                           "                Relays:  3"s,
                           "      Group  4: Super, No Main Pri, Ser On Pri, No Flash"s,
                           "                Groups:  4 12"s,
                           "      Group  5: Normal, No Main Pri, Ser On Pri, No Flash"s,
                           first,
                           "      Group  6: Super, No Main Pri, Ser On Pri, No Flash"s,
                           "                Groups: None"s,
                           ""s,
                           Rule(),
                           "    End of KV-4900 4.00 data     Printed: 12-03-2026 14:05:09"s,
                           Rule(),
                       }));
}

TEST(ConfigurationReportTest, SectionsStartOnNewPagesAndBreakByTheLineCounter) {
    Configuration config = SampleConfiguration();
    config.Panel.NumInputs = "120";
    config.Panel.NumRelays = "60";
    const ReportLayout layout = Build(config, SampleRequest(60));
    // Page 2: 3 margin lines, 4 header lines, the heading, then inputs 1..55
    // (line counter 5 + 55 = 60 = LinesPerPage).
    EXPECT_EQ(FindLine(layout, "    INPUT INFORMATION").Page, 2);
    const auto input = [&](int n) {
        const std::string number = std::to_string(n);
        return FindLine(layout, "      Input " + std::string(3 - number.size(), ' ') + number +
                                    ": Momentary On, Nrm Open, Grp " +
                                    std::to_string((n - 1) % 60 + 1) + ", Tmr 0, No Flash");
    };
    EXPECT_EQ(input(1).Page, 2);
    EXPECT_EQ(input(1).Line, 8);
    EXPECT_EQ(input(55).Page, 2);
    EXPECT_EQ(input(55).Line, 62);
    EXPECT_EQ(input(56).Page, 3);
    EXPECT_EQ(input(56).Line, 7);   // right after the header
    EXPECT_EQ(input(111).Page, 3);  // 56 fill page 3 (4 + 56 = 60)
    EXPECT_EQ(input(112).Page, 4);
    // Groups on a new page; each takes 2 lines; a group starts a new page
    // when fewer than 4 lines remain: after group 26 the counter is
    // 5 + 26 x 2 = 57, and 57 + 4 is above 60, so group 27 moves.
    const LinePosition heading = FindLine(layout, "    GROUP INFORMATION");
    EXPECT_EQ(heading.Page, 5);
    const auto group = [&](int g) {
        return FindLine(layout, std::string("      Group ") + (g < 10 ? " " : "") +
                                    std::to_string(g) +
                                    ": Normal, No Main Pri, Ser On Pri, No Flash");
    };
    EXPECT_EQ(group(26).Page, 5);
    EXPECT_EQ(group(27).Page, 6);
    EXPECT_EQ(group(27).Line, 7);
    for (const ReportPage& page : layout.Pages) {
        EXPECT_THAT(PageTextLines(page).at(4), HasSubstr("Page " + std::to_string(page.Number)));
    }
}

TEST(ConfigurationReportTest, CountsOutsideTheRecordsAreLimitedToThem) {
    Configuration config = SampleConfiguration();
    config.Panel.NumInputs = "500";
    config.Panel.NumRelays = "75";
    config.Groups[1].SetMember(60, true);
    ReportLayout layout = Build(config, SampleRequest(99));
    EXPECT_NE(
        FindLine(layout, "      Input 120: Momentary On, Nrm Open, Grp 60, Tmr 0, No Flash").Page,
        0);
    EXPECT_EQ(
        FindLine(layout, "      Input 121: Momentary On, Nrm Open, Grp 1, Tmr 0, No Flash").Page,
        0);
    EXPECT_NE(FindLine(layout, "                Relays:  1 60").Page, 0);
    EXPECT_NE(FindLine(layout, "      Group 60: Normal, No Main Pri, Ser On Pri, No Flash").Page,
              0);

    config.Panel.NumInputs = "abc";
    layout = Build(config, SampleRequest(-3));
    EXPECT_EQ(FindLine(layout, "    GROUP INFORMATION").Page, 3);  // no inputs, no groups
    EXPECT_EQ(layout.Pages.size(), 3u);
}

TEST(ConfigurationReportTest, NoLineLeavesTheGridOnAnyPage) {
    Configuration config = SampleConfiguration();
    config.Panel.NumInputs = "120";
    config.Panel.NumRelays = "60";
    config.Panel.DeviceName = std::string(150, 'N');
    for (int n = 1; n <= 120; ++n)
        config.Inputs[n].Name = "Corridor light switch number " + std::to_string(n);
    for (int g = 1; g <= 60; ++g) {
        config.Groups[g].Name = "Second floor east corridor lights";
        for (int k = 1; k <= 60; ++k) config.Groups[g].SetMember(k, true);
    }
    ReportRequest request = SampleRequest(60);
    request.Origin = {true, "C:\\" + std::string(120, 'D') + "\\EAST.KVX", "12-01-26", "09:30:00",
                      "A rather long description of this panel and where it hangs"};
    for (const PageGrid& grid : {GridFromCharacters(60, 10), GridFromCharacters(67, 55),
                                 GridFromCharacters(87, 66), GridFromCharacters(135, 47)}) {
        SCOPED_TRACE(::testing::Message() << grid.Columns << " x " << grid.Lines);
        const ReportLayout layout = Build(config, request, grid);
        const int rightEdge = grid.LeftMargin + grid.ReportWidth;
        for (const ReportPage& page : layout.Pages) {
            ASSERT_LE(static_cast<int>(page.Lines.size()), grid.TopMargin + grid.LinesPerPage);
            for (size_t i = 0; i < page.Lines.size(); ++i) {
                const ReportLine& line = page.Lines[i];
                if (static_cast<int>(i) == grid.TopMargin + 1) continue;  // the "Page N" line
                ASSERT_LE(line.Column + static_cast<int>(line.Text.size()), rightEdge)
                    << "page " << page.Number << ": " << line.Text;
                for (const EmphasisRun& run : line.Emphasis)
                    ASSERT_LE(run.Start + run.Length, static_cast<int>(line.Text.size()));
            }
        }
        const std::string text = RenderReportText(layout);
        for (const char* needed :
             {"Input 120=Corridor light switch number", "number 120:", "Group 60=Second floor"}) {
            EXPECT_THAT(text, HasSubstr(needed));
        }
        EXPECT_THAT(text, HasSubstr("End of KV-4900 4.00 data"));
    }
}

TEST(ConfigurationReportTest, LongLinesWrapAtBlanksKeepingEmphasis) {
    Configuration config = SampleConfiguration();
    config.Inputs[1].Name = "Main entrance hall lights by the reception desk";
    config.Groups[1].Name = "Entrance";
    const ReportLayout layout = Build(config, SampleRequest(0));
    const auto page = PagesAsText(layout).at(1);
    EXPECT_EQ(page.at(8),
              "      Input   1=Main entrance hall lights by the reception desk: Momentary On,");
    EXPECT_EQ(page.at(9), "          Nrm Open, Grp 1=Entrance, Tmr 0, No Flash");
    EXPECT_EQ(page.at(10).substr(0, 16), "      Input   2:");
    EXPECT_THAT(layout.Pages[1].Lines[8].Emphasis, ElementsAre(EmphasisRun{0, 59}));
    EXPECT_TRUE(layout.Pages[1].Lines[9].Emphasis.empty());
}

TEST(ConfigurationReportTest, TextRendererSeparatesPagesByFormFeeds) {
    const ReportLayout layout = Build(SampleConfiguration(), SampleRequest(2));
    const std::string text = RenderReportText(layout);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'),
              static_cast<long>(layout.Pages.size()) - 1);
    EXPECT_EQ(layout.Pages.size(), 3u);
    EXPECT_EQ(text.substr(0, 4), "\n\n\n ");
    EXPECT_THAT(text, HasSubstr("No Flash\n\f\n\n\n    ---"));
    EXPECT_EQ(text.back(), '\n');
}

}  // namespace
}  // namespace kvtk
