#pragma once
// --trace: every frame the tool sends and every line it receives, on
// standard error, with control characters spelled out.

#include <ostream>
#include <string>

#include "comm/byte_link.h"
#include "model/panel_exchange.h"

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

// The relay server frames commands itself; its traffic is traced per
// command: "> " + address + " " + command, "< " + the reply.
class TracingExchange : public PanelExchange {
public:
    TracingExchange(PanelExchange& inner, std::ostream& out) : inner_(inner), out_(out) {}
    std::string Exchange(int address, const std::string& command, const std::string& description,
                         int style) override;
    int Attempts() const override { return inner_.Attempts(); }
    void SetAttempts(int attempts) override { inner_.SetAttempts(attempts); }

private:
    PanelExchange& inner_;
    std::ostream& out_;
};

}  // namespace kvtk::cli
