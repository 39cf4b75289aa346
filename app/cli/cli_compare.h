#pragma once
// What `verify` reports: every value the panel holds that differs between
// a configuration file and the panel, one line in words per difference.

#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvtk::cli {

// Both configurations carry the panel's identity and limits. Only what the
// panel stores is compared (no names); a panel-wide value of the file is
// compared as a read would show it once written, so "1:00" and "01:00" are
// the same timer.
// Lines such as "Input 5 timer: file 2, panel 0".
std::vector<std::string> ConfigurationDifferences(const Configuration& file,
                                                  const Configuration& panel);

// The panel's configuration as a read would save it and the file would then
// give it back when loaded over `base`: what a file cannot carry (members
// above the relay count, say) is compared as the file has it, not as the
// panel holds it.
Configuration AsAFileCarriesIt(const Configuration& panel, const Configuration& base);

}  // namespace kvtk::cli
