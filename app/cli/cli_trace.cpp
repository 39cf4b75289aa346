#include "app/cli/cli_trace.h"

#include "comm/panel_line.h"
#include "comm/traffic_log.h"

namespace kvtk::cli {

void TraceTraffic(PanelLine& line, std::ostream& out) {
    line.Traffic().Subscribe([&out](const TrafficLine& traffic) {
        out << static_cast<char>(traffic.Direction) << ' ' << VisibleBytes(traffic.Bytes)
            << (traffic.Discarded ? " (discarded)" : "") << '\n'
            << std::flush;
    });
    QObject::connect(&line, &PanelLine::portFailed, &line, [&out](const QString& reason) {
        out << "! link lost: " << reason.toLocal8Bit().constData() << '\n' << std::flush;
    });
}

}  // namespace kvtk::cli
