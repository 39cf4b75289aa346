#include "report/configuration_report.h"

#include <gmock/gmock.h>

#include "report/text_renderer.h"
#include "tests/support/product_config.h"

namespace kvtk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

Configuration SampleConfiguration(const std::string& model = "KV-4900",
                                  const std::string& version = "4.00") {
    Configuration config = test::ConfigFor(model, version);
    config.Panel.Address = "5";
    return config;
}

ReportRequest SampleRequest(int groupCount = 60) {
    return {{}, groupCount, {2026, 12, 3, 14, 5, 9}};
}

// The number of the first page with a line that equals `text`; 0 when none has.
int PageOf(const ReportLayout& layout, const std::string& text) {
    for (const ReportPage& page : layout.Pages)
        for (const std::string& line : PageTextLines(page))
            if (line == text) return page.Number;
    return 0;
}

const PageGrid kGrid87 = GridFromCharacters(87, 66);  // width 80, left 4, 60 lines, top 3

ReportLayout Build(const Configuration& config, const ReportRequest& request,
                   const PageGrid& grid = kGrid87) {
    ReportResult result = BuildConfigurationReport(config, request, grid);
    EXPECT_EQ(result.Error, "");
    return result.Layout.value_or(ReportLayout{});
}

std::string Rule() {
    return "    " + std::string(80, '-');
}

// A page as the text renderer writes it: the top margin, the header with
// the page number, a blank line and then `lines`.
std::string Page(int number, std::initializer_list<std::string> lines) {
    const std::string header = "    KV-4900 4.00 data     Printed: 12-03-2026 14:05:09";
    std::string text = "\n\n\n" + Rule() + "\n" + header + std::string(76 - header.size(), ' ') +
                       "Page " + std::to_string(number) + "\n" + Rule() + "\n\n";
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// Every kind of general, input and group line, with the line wraps and the
// emphasised labels, in the text the renderer writes.
TEST(ConfigurationReportTest, AWholeReportOfEveryKindOfLine) {
    Configuration config = SampleConfiguration();
    config.Panel.DeviceName = "East Wing";
    config.Panel.RelayRefresh = "30";
    config.Panel.NumInputs = "4";
    config.Panel.NumRelays = "60";
    config.Inputs[1].Name = "Main entrance hall lights by the reception desk";
    config.Inputs[2] = {"", kStateChange, 1, 0, 3, kTrue};  // group 0: no name looked up
    config.Inputs[3] = {"", 9, 5, 61, 0, 1};                // unknown type, group above MaxGroups
    config.Inputs[4] = {"", kLinkedOn, 0, -2, 0, 0};        // a corrupt group never indexes
    config.Groups[0].Name = "Never";                        // entry 0 is no group
    config.Groups[1].Name = "Entrance";
    for (int k = 1; k <= 60; ++k) config.Groups[1].SetMember(k, true);
    config.Groups[2] = GroupConfig{"Lobby", 0, {}, 1, 0, kTrue};  // no member at all
    config.Groups[3].Priority = 2;
    config.Groups[4] = GroupConfig{"", 1, {}, 3, kTrue, 0};  // supergroup of groups 4 and 12
    for (int k : {4, 12}) config.Groups[4].SetMember(k, true);
    for (int k = 1; k <= 20; ++k) config.Groups[5].SetMember(k, true);  // one full line
    config.Groups[5].Priority = 7;
    config.Groups[6] = GroupConfig{"", 1, {}, 0, kTrue, 0};
    ReportRequest request = SampleRequest(6);
    request.Origin = {true, "C:\\PANELS\\EAST.KVX", "12-01-26", "09:30:00", "EAST WING PANEL"};
    const ReportLayout layout = Build(config, request);

    const std::string relays1To20 =
        "                Relays:  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20";
    EXPECT_EQ(
        RenderReportText(layout),
        Page(1, {"    Originated from file: C:\\PANELS\\EAST.KVX   Created: 12-01-26 09:30:00",
                 "     Description: EAST WING PANEL", "", "    GENERAL INFORMATION", "",
                 "      Address: 5", "      Name: East Wing", "      Number of Inputs: 4",
                 "      Number of Relays: 60", "      Flash On Time: 10:00 mm:ss",
                 "      Flash Off Time: 0.5 seconds", "      Timer 1: 01:00 hh:mm",
                 "      Timer 2: 02:00 hh:mm", "      Timer 3: 03:00 hh:mm",
                 "      Relay Refresh Rate: 30 minutes",
                 "      Relay Energize Duration: 0.048 seconds"}) +
            "\f" +
            Page(2,
                 {"    INPUT INFORMATION",
                  "      Input   1=Main entrance hall lights by the reception desk: Momentary On,",
                  "          Nrm Open, Grp 1=Entrance, Tmr 0, No Flash",
                  "      Input   2: State Change, Nrm Closed, Grp 0, Tmr 3, Flash",
                  "      Input   3: , Nrm Open, , Tmr 0, Flash",
                  "      Input   4: Linked On, Nrm Open, Grp -2, Tmr 0, No Flash"}) +
            "\f" +
            Page(3,
                 {"    GROUP INFORMATION",
                  "      Group  1=Entrance: Normal, No Main Pri, Ser On Pri, No Flash", relays1To20,
                  "                        21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 "
                  "39 40",
                  "                        41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 "
                  "59 60",
                  "      Group  2=Lobby: Normal, Main On Pri, No Ser Pri, Flash",
                  "                Relays: None",
                  "      Group  3: Normal, Main Off Pri, Ser On Pri, No Flash",
                  "                Relays:  3",
                  "      Group  4: Super, Main OnOff Pri, Ser On Pri, No Flash",
                  "                Groups:  4 12", "      Group  5: Normal, , Ser On Pri, No Flash",
                  relays1To20, "      Group  6: Super, No Main Pri, Ser On Pri, No Flash",
                  "                Groups: None", "", Rule(),
                  "    End of KV-4900 4.00 data     Printed: 12-03-2026 14:05:09", Rule()}));

    // Headings and labels up to ": " are emphasised, the rest is not.
    std::vector<std::string> emphasised;
    for (const ReportPage& page : layout.Pages)
        for (const ReportLine& line : page.Lines)
            for (const EmphasisRun& run : line.Emphasis)
                emphasised.push_back(line.Text.substr(run.Start, run.Length));
    EXPECT_THAT(
        emphasised,
        ElementsAre("GENERAL INFORMATION", "INPUT INFORMATION",
                    "Input   1=Main entrance hall lights by the reception desk: ", "Input   2: ",
                    "Input   3: ", "Input   4: ", "GROUP INFORMATION", "Group  1=Entrance: ",
                    "Group  2=Lobby: ", "Group  3: ", "Group  4: ", "Group  5: ", "Group  6: "));
}

// Input types the firmware does not offer print empty; the group flash word
// comes above firmware 1.18 only.
TEST(ConfigurationReportTest, InputTypeAndGroupFlashFollowTheFirmware) {
    for (const auto& [version, flash] : {std::pair{"1.18", ""}, {"1.19", "Flash"}}) {
        Configuration config = SampleConfiguration("KV-4900", version);
        config.Inputs[1].Type = kLinkedOn;  // offered from 2.05
        config.Groups[1].ConstantFlash = kTrue;
        const ReportLayout layout = Build(config, SampleRequest(1));
        EXPECT_EQ(PageOf(layout, "      Input   1: , Nrm Open, Grp 1, Tmr 0, No Flash"), 2);
        const std::string group = "      Group  1: Normal, No Main Pri, Ser On Pri, "s + flash;
        EXPECT_EQ(PageOf(layout, group), 3) << version;
    }
}

// Counts above the records print the records there are.
TEST(ConfigurationReportTest, SectionsStartOnNewPagesAndBreakByTheLineCounter) {
    Configuration config = SampleConfiguration();
    config.Panel.NumInputs = "500";
    config.Panel.NumRelays = "75";
    config.Groups[1].SetMember(60, true);
    ReportLayout layout = Build(config, SampleRequest(99));
    EXPECT_EQ(PageOf(layout, "                Relays:  1 60"), 5);
    // Each page by its number, its first line below the header and the
    // number of lines from there on.
    std::vector<std::string> pages;
    for (const ReportPage& page : layout.Pages) {
        const std::vector<std::string> lines = PageTextLines(page);
        pages.push_back(lines.at(4).substr(76) + ": " + lines.at(7).substr(0, 22) + " + " +
                        std::to_string(lines.size() - 8));
    }
    // Inputs 1..55 fill page 2 after the heading (line counter 5 + 55 = 60 =
    // LinesPerPage), 56 more page 3, and page 4 ends at input 120. Groups
    // take 2 lines; a group starts a new page when fewer than 4 lines remain:
    // after group 26 the counter is 5 + 26 x 2 = 57, and 57 + 4 is above 60,
    // so group 27 moves. Page 7 ends at group 60 and the closing lines.
    EXPECT_THAT(
        pages,
        ElementsAre("Page 1:     Data is not from a + 13", "Page 2:     INPUT INFORMATION + 55",
                    "Page 3:       Input  56: Momen + 55", "Page 4:       Input 112: Momen + 8",
                    "Page 5:     GROUP INFORMATION + 52", "Page 6:       Group 27: Normal + 53",
                    "Page 7:       Group 54: Normal + 17"));

    config.Panel.NumInputs = "abc";
    layout = Build(config, SampleRequest(-3));
    EXPECT_EQ(layout.Pages.size(), 3u);  // no inputs, no groups
}

TEST(ConfigurationReportTest, NoLineLeavesTheGridOnAnyPage) {
    Configuration config = SampleConfiguration();
    config.Panel.NumInputs = "120";
    config.Panel.NumRelays = "60";
    config.Panel.DeviceName = std::string(150, 'N');
    for (int n = 1; n <= 120; ++n) config.Inputs[n].Name = "Corridor light switch number 1";
    for (int g = 1; g <= 60; ++g) {
        config.Groups[g].Name = "Second floor east corridor lights";
        for (int k = 1; k <= 60; ++k) config.Groups[g].SetMember(k, true);
    }
    ReportRequest request = SampleRequest(60);
    request.Origin = {true, "C:\\" + std::string(120, 'D') + "\\EAST.KVX", "12-01-26", "09:30:00",
                      "A rather long description of this panel and where it hangs"};
    for (const PageGrid& grid :
         {GridFromCharacters(60, 10), GridFromCharacters(67, 55), GridFromCharacters(135, 47)}) {
        SCOPED_TRACE(::testing::Message() << grid.Columns << " x " << grid.Lines);
        const ReportLayout layout = Build(config, request, grid);
        for (const ReportPage& page : layout.Pages) {
            ASSERT_LE(static_cast<int>(page.Lines.size()), grid.TopMargin + grid.LinesPerPage);
            for (size_t i = 0; i < page.Lines.size(); ++i) {
                const ReportLine& line = page.Lines[i];
                if (static_cast<int>(i) == grid.TopMargin + 1) continue;  // the "Page N" line
                ASSERT_LE(line.Column + line.Text.size(), grid.LeftMargin + grid.ReportWidth)
                    << "page " << page.Number << ": " << line.Text;
                for (const EmphasisRun& run : line.Emphasis)
                    ASSERT_LE(run.Start + run.Length, static_cast<int>(line.Text.size()));
            }
        }
        EXPECT_THAT(RenderReportText(layout), HasSubstr("Group 60=Second floor"));
    }
}

}  // namespace
}  // namespace kvtk
