#pragma once
// A serial link that writes its traffic to a log on the way through: each
// frame as it is sent, each received line as its carriage return arrives.

#include <string>

#include "comm/byte_link.h"
#include "comm/traffic_log.h"

namespace kvtk {

class TrafficTap : public ByteLink {
    Q_OBJECT
public:
    // A line longer than this without a carriage return is logged in parts.
    static constexpr std::size_t kMaxLineLength = 4096;

    TrafficTap(ByteLink& inner, TrafficLog& log);

    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override;
    void close() override { inner_.close(); }
    QString name() const override { return inner_.name(); }

private:
    ByteLink& inner_;
    TrafficLog& log_;
    std::string partial_;
};

}  // namespace kvtk
