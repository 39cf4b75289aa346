#include "comm/traffic_log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "model/local_time.h"

namespace kvtk {
namespace {

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void AppendVisible(std::string& out, std::string_view bytes, HighBytes high) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (u < 0x20 || u == 0x7F || (u > 0x7F && high == HighBytes::Spelled)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
}

}  // namespace

TrafficLog::TrafficLog(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {
    lines_.reserve(capacity_);
}

void TrafficLog::Add(TrafficDirection direction, std::string_view bytes, bool discarded) {
    ++added_;
    TrafficLine* line = nullptr;
    if (lines_.size() < capacity_) {
        line = &lines_.emplace_back();
    } else {
        line = &lines_[oldest_];  // the oldest line makes room
        oldest_ = (oldest_ + 1) % capacity_;
    }
    line->AtMs = NowMs();
    line->Direction = direction;
    line->Bytes.assign(bytes);
    line->Discarded = discarded;
    for (const Listener& listener : listeners_) listener(*line);
}

void TrafficLog::Subscribe(Listener listener) {
    listeners_.push_back(std::move(listener));
}

void TrafficLog::Clear() {
    lines_.clear();
    oldest_ = 0;
}

const TrafficLine& TrafficLog::Line(std::size_t index) const {
    return lines_.at((oldest_ + index) % lines_.size());
}

std::string TrafficLineText(const TrafficLine& line) {
    const std::time_t seconds = static_cast<std::time_t>(line.AtMs / 1000);
    const std::tm local = LocalTime(seconds);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d %c ", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(line.AtMs % 1000),
                  static_cast<char>(line.Direction));
    std::string text = stamp;
    AppendVisible(text, line.Bytes, HighBytes::Spelled);
    return text;
}

std::string VisibleBytes(std::string_view bytes, HighBytes high) {
    std::string text;
    AppendVisible(text, bytes, high);
    return text;
}

std::string MaskedRelayLogin(std::string_view user) {
    return "0" + std::string(user) + "|********\r";
}

}  // namespace kvtk
