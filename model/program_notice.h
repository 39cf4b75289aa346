#pragma once
// Who made the programs and under which licence, as About and each
// program's --version say it. The licence's text is in LICENSE.

namespace kvtk {

// The lines --version prints after "<program> <version>"; About shows them too.
inline constexpr const char* kVersionNotice =
    "Copyright 2026 The KV Programming Kit developers.\n"
    "Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later).\n"
    "This is free software: you may change and share it under that licence.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace kvtk
