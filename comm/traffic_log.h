#pragma once
// What went over the line, as the communication window's traffic pane
// shows it: every frame sent and every line received, with the time it
// happened. Only the most recent lines are kept (a ring), so the log never
// grows however long the program runs; adding a line costs no allocation
// once the ring is full.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kvtk {

enum class TrafficDirection : char { Sent = '>', Received = '<' };

struct TrafficLine {
    int64_t AtMs = 0;  // milliseconds since 1970, system clock
    TrafficDirection Direction = TrafficDirection::Sent;
    std::string Bytes;
    // Received input dropped unread when the next frame was sent.
    bool Discarded = false;
};

class TrafficLog {
public:
    static constexpr std::size_t kDefaultCapacity = 2000;

    using Listener = std::function<void(const TrafficLine&)>;

    explicit TrafficLog(std::size_t capacity = kDefaultCapacity);

    void Add(TrafficDirection direction, std::string_view bytes, bool discarded = false);
    // `listener` is told of every line added from now on.
    void Subscribe(Listener listener);
    void Clear();

    std::size_t Size() const { return lines_.size(); }
    std::size_t Capacity() const { return capacity_; }
    // 0 is the oldest line kept.
    const TrafficLine& Line(std::size_t index) const;
    // Lines ever added; a view compares it with what it has shown.
    uint64_t Added() const { return added_; }

private:
    std::size_t capacity_;
    std::vector<TrafficLine> lines_;
    std::vector<Listener> listeners_;
    std::size_t oldest_ = 0;
    uint64_t added_ = 0;
};

// Which bytes from 0x80 up are spelled out: all of them (the traffic pane
// and the trace), or none (a message that has always shown them as text).
enum class HighBytes { Spelled, AsText };

// Bytes with control and 8-bit characters spelled out: "\\r", "\\n", "\\\\"
// and "\\xNN" for the other bytes below 0x20, 0x7F and, unless told, from
// 0x80 up.
std::string VisibleBytes(std::string_view bytes, HighBytes high = HighBytes::Spelled);

// "14:03:22.517 > >01LR65D3\r": local time with milliseconds, the
// direction, and the bytes spelled out.
std::string TrafficLineText(const TrafficLine& line);

// The relay server's login as the log shows it: the password never appears.
std::string MaskedRelayLogin(std::string_view user);

}  // namespace kvtk
