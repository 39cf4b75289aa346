#pragma once
// Reading a site's folder: every .kvx file in it (not in subfolders), each
// read whole so a damaged file is listed with its reason up front instead
// of failing half way through a write.

#include <string>

#include "model/site.h"

namespace kvtk {

SiteFiles ReadSiteFolder(const std::string& folder);

}  // namespace kvtk
