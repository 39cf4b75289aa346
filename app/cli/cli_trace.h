#pragma once
// --trace: every frame the tool sends and every line it receives, on
// standard error, spelled out as the communication window's traffic pane
// shows them, since both read the line's one traffic log.

#include <ostream>

namespace kvtk {
class PanelLine;
}

namespace kvtk::cli {

// From now on writes "> " + each frame or relay message as sent and "< " +
// each line as received (serial input dropped unread before a frame ends in
// " (discarded)"), and "! link lost: " + the reason when the link breaks.
// What the log held before (the relay login) is not shown.
void TraceTraffic(PanelLine& line, std::ostream& out);

}  // namespace kvtk::cli
