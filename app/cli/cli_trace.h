#pragma once
// --trace: every frame the tool sends and every line it receives, on
// standard error, with control characters spelled out.

#include <ostream>
#include <string>

#include "comm/byte_link.h"

namespace kvtk {
class RelayConnection;
}

namespace kvtk::cli {

// "\r" for a carriage return, "\xNN" for other control bytes.
std::string VisibleBytes(const std::string& bytes);

// Passes everything to the inner link and writes the traffic to `out`:
// "> " + a frame as sent, "< " + each received line as it completes.
class TracingLink : public ByteLink {
    Q_OBJECT
public:
    TracingLink(ByteLink& inner, std::ostream& out);

    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override;
    void close() override { inner_.close(); }
    QString name() const override { return inner_.name(); }

private:
    void TraceReceived(const QByteArray& bytes);

    ByteLink& inner_;
    std::ostream& out_;
    std::string partial_;
};

// The relay server frames commands for the panels itself; its traffic is
// traced as it passes on the connection: "> " + a command message as sent,
// "< " + each answer line (an "ERR" included). The login is never shown.
void TraceRelay(RelayConnection& relay, std::ostream& out);

}  // namespace kvtk::cli
