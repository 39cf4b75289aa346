#pragma once
// The one comparison of a configuration file with a panel: `kvtk-cli
// verify`, the check after a write and the compare window all use it, so
// they always agree. Only what both a .kvx file and the panel carry is
// compared (no names), each value as a read would show it.

#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvtk {

struct ConfigDifference {
    std::string Section;  // "Panel Information", "Input Information", "Group Information"
    std::string Item;     // "Input 5 timer"
    std::string FileValue;
    std::string PanelValue;
};

// What a comparison covers; a check after a write covers what was written.
struct CompareScope {
    bool Header = true;
    bool Inputs = true;
    bool Groups = true;   // the group registers and the group flash settings
    int GroupCount = -1;  // groups 1 to this; below 0 every group of the product
};

// Both configurations carry the panel's identity and limits. A panel-wide
// value of the file is compared as a read would show it once written, so
// "1:00" and "01:00" are the same timer; group members above the product's
// relays are not compared, as a file carries none of them.
std::vector<ConfigDifference> ConfigurationDifferences(const Configuration& file,
                                                       const Configuration& panel,
                                                       const CompareScope& scope = {});

// "Input 5 timer: file 2, panel 0".
std::string DifferenceLine(const ConfigDifference& difference);

}  // namespace kvtk
