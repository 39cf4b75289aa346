#include "comm/traffic_tap.h"

namespace kvtk {

TrafficTap::TrafficTap(ByteLink& inner, TrafficLog& log) : inner_(inner), log_(log) {
    connect(&inner_, &ByteLink::readyRead, this, &ByteLink::readyRead);
    connect(&inner_, &ByteLink::linkLost, this, &ByteLink::linkLost);
}

bool TrafficTap::write(const QByteArray& bytes) {
    log_.Add(TrafficDirection::Sent, std::string_view(bytes.constData(), bytes.size()));
    return inner_.write(bytes);
}

QByteArray TrafficTap::readAll() {
    const QByteArray bytes = inner_.readAll();
    for (const char c : bytes) {
        partial_ += c;
        if (c == '\r' || partial_.size() >= kMaxLineLength) {
            log_.Add(TrafficDirection::Received, partial_);
            partial_.clear();
        }
    }
    return bytes;
}

void TrafficTap::discardInput() {
    // What arrived unasked was on the line all the same.
    partial_ += inner_.readAll().toStdString();
    if (!partial_.empty()) log_.Add(TrafficDirection::Received, partial_, true);
    partial_.clear();
    inner_.discardInput();
}

}  // namespace kvtk
