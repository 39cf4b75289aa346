#include "sim/demo_line.h"

namespace kvtk {

std::unique_ptr<SimLine> MakeDemoLine() {
    auto line = std::make_unique<SimLine>();
    line->AddPanel(1, "WQ16", "0500");
    line->AddPanel(2, "KV-4800", "0400");
    line->AddPanel(3, "KV-4800", "0300");
    line->AddPanel(5, "KV-4900", "0109");
    line->AddPanel(7, "TMC-1400", "0400");
    line->AddPanel(17, "KV-4500", "0107", /*answersKv=*/false);

    // A little life in the live views: some inputs active, analog readings,
    // groups switched in different ways, one bad relay on the TMC-1400.
    SimPanel& wq16 = *line->PanelAt(1);
    wq16.SetLiveInput(1, true);
    wq16.SetLiveInput(3, true);
    wq16.Group(2) = {'0', 3, 4, 0, false};
    wq16.Group(3) = {'0', 4, 5, 0x0E10, false};
    wq16.Group(4) = {'0', 5, 0, 0, false};
    SimPanel& tmc = *line->PanelAt(7);
    tmc.SetBadRelay(3, true);
    tmc.Group(3).status = '2';
    return line;
}

}  // namespace kvtk
