#include "sim/sim_line.h"

#include <cmath>

#include "sim/sim_text.h"

namespace kvtk {

using sim::Checksum;
using sim::Hex;
using sim::ParseHex;

namespace {
constexpr double kMsPerChar = 1.0416666666666667;  // 10 bits at 9600 baud
constexpr size_t kLongestFrame = 256;              // a longer frame is noise
}  // namespace

std::string AddressField(int address) {
    return Hex(static_cast<unsigned>(address) & 0xFF, 2);
}

QByteArray BuildFrame(int address, const std::string& command) {
    const std::string body = AddressField(address) + command;
    return QByteArray::fromStdString(">" + body + Hex(Checksum(body), 2) + "\r");
}

QByteArray BuildReply(const std::string& reply, bool garble) {
    if (reply.size() <= 1) return QByteArray::fromStdString(reply + "\r");
    const std::string data = reply.substr(1);
    const unsigned sum = (Checksum(data) + (garble ? 1 : 0)) % 256;
    return QByteArray::fromStdString(reply + Hex(sum, 2) + "\r");
}

SimLine::SimLine(QObject* parent) : QObject(parent), random_(options_.seed) {
    clock_.start();
    pump_.setSingleShot(true);
    pump_.setTimerType(Qt::PreciseTimer);
    connect(&pump_, &QTimer::timeout, this, &SimLine::Pump);
}

SimLine::~SimLine() = default;

SimPanel& SimLine::AddPanel(int address, std::string model, std::string version, bool answersKv) {
    panels_.push_back(
        std::make_unique<SimPanel>(address, std::move(model), std::move(version), answersKv));
    return *panels_.back();
}

SimPanel* SimLine::PanelAt(int address) {
    for (auto& panel : panels_)
        if (panel->Address() == address) return panel.get();
    return nullptr;
}

void SimLine::ResetFaults() {
    random_.seed(options_.seed);
    framesReceived_ = 0;
    repliesMade_ = 0;
    writesSeen_ = 0;
    broken_ = false;
}

void SimLine::Receive(const QByteArray& bytes) {
    if (broken_) return;
    for (char c : bytes) {
        if (c == '>') {  // a new start always resynchronises
            inFrame_ = true;
            frame_.clear();
        } else if (!inFrame_) {
            continue;  // noise between frames
        } else if (c == '\r') {
            inFrame_ = false;
            HandleFrame(frame_);
            if (broken_) return;
        } else if (frame_.size() >= kLongestFrame) {
            inFrame_ = false;
        } else {
            frame_ += c;
        }
    }
}

bool SimLine::CountFrameAndCheckBroken() {
    ++framesReceived_;
    if (options_.disconnectAfter >= 0 && framesReceived_ > options_.disconnectAfter) {
        broken_ = true;
        queue_.clear();
        QTimer::singleShot(0, this, &SimLine::Disconnected);
    }
    return broken_;
}

void SimLine::HandleFrame(const std::string& body) {
    if (CountFrameAndCheckBroken()) return;
    if (options_.echo) Schedule(QByteArray::fromStdString(">" + body + "\r"), 0);
    if (body.size() < 5) return;
    const std::string checked = body.substr(0, body.size() - 2);
    const auto sum = ParseHex(body.substr(body.size() - 2));
    if (!sum || *sum != Checksum(checked)) return;
    const auto reply = Serve(checked.substr(0, 2), checked.substr(2));
    if (!reply) return;
    // ">" + body + CR on the wire.
    const int frameMs = options_.pacing && options_.pacedFrames
                            ? static_cast<int>(std::ceil((body.size() + 2) * kMsPerChar))
                            : 0;
    const int firstDelay = frameMs + options_.replyDelayMs;
    for (int i = 0; i < options_.busyDots; ++i)
        Schedule(".", i == 0 ? firstDelay : options_.busyDotIntervalMs);
    Schedule(QByteArray::fromStdString(*reply + "\r"),
             options_.busyDots > 0 ? options_.busyDotIntervalMs : firstDelay);
}

std::optional<std::string> SimLine::Answer(const std::string& addressField,
                                           const std::string& command) {
    if (broken_ || CountFrameAndCheckBroken()) return std::nullopt;
    return Serve(addressField, command);
}

std::optional<std::string> SimLine::Serve(const std::string& addressField,
                                          const std::string& command) {
    const auto address = addressField.size() == 2 ? ParseHex(addressField) : std::nullopt;
    if (!address) return std::nullopt;  // addresses above 255 are not on this line
    SimPanel* panel = PanelAt(static_cast<int>(*address));
    if (!panel) return std::nullopt;
    const bool swallowed = command.rfind("LW", 0) == 0 && ++writesSeen_ == options_.swallowWrite;
    const auto reply = swallowed ? std::optional<std::string>("AY") : panel->Handle(command);
    if (!reply) return std::nullopt;
    ++repliesMade_;
    if (repliesMade_ <= options_.dropFirst) return std::nullopt;
    if (options_.dropFraction > 0 &&
        std::uniform_real_distribution<double>(0.0, 1.0)(random_) < options_.dropFraction)
        return std::nullopt;
    const bool garble = options_.garbleChecksum || repliesMade_ <= options_.garbleFirst;
    std::string line = BuildReply(*reply, garble).toStdString();
    line.pop_back();  // the CR
    return line;
}

void SimLine::Schedule(const QByteArray& bytes, qint64 delayMs) {
    const qint64 now = clock_.elapsed();
    const qint64 start = std::max(now, lastScheduledEndMs_) + delayMs;
    queue_.push_back({bytes, start, 0});
    const qint64 duration =
        options_.pacing ? static_cast<qint64>(std::ceil(bytes.size() * kMsPerChar)) : 0;
    lastScheduledEndMs_ = start + duration;
    if (!pump_.isActive()) pump_.start(static_cast<int>(std::max<qint64>(0, start - now)));
}

void SimLine::Pump() {
    while (!queue_.empty()) {
        Pending& item = queue_.front();
        const qint64 now = clock_.elapsed();
        if (now < item.notBeforeMs) {
            pump_.start(static_cast<int>(item.notBeforeMs - now));
            return;
        }
        if (!options_.pacing) {
            const QByteArray bytes = item.bytes;
            queue_.pop_front();
            emit Transmit(bytes);
            continue;
        }
        const qsizetype due = std::min<qsizetype>(
            item.bytes.size(), static_cast<qsizetype>((now - item.notBeforeMs) / kMsPerChar) + 1);
        if (due > item.sent) {
            const QByteArray chunk = item.bytes.mid(item.sent, due - item.sent);
            item.sent = due;
            if (item.sent == item.bytes.size()) queue_.pop_front();
            emit Transmit(chunk);  // may reenter Receive(): take the front anew
            continue;
        }
        pump_.start(1);
        return;
    }
}

}  // namespace kvtk
