#pragma once
// A serial line with several simulated panels on it. Bytes from the tool go
// in through Receive(); each complete frame (">" + address field + command +
// 2-digit checksum + CR) for a panel on the line is answered through the
// Transmit signal, from the event loop, never from inside Receive(). Frames
// with a wrong checksum, for an address nobody has or that a panel does not
// answer get no reply, as on a real line. Fault options make the line echo,
// keep the panel busy, lose or garble replies, or break down.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_panel.h"

namespace kvtk {

struct SimLineOptions {
    bool pacing = false;          // 9600 baud: about 1.04 ms per character sent
    bool echo = false;            // every complete frame is echoed back first
    int busyDots = 0;             // "." characters sent before each reply
    int busyDotIntervalMs = 400;  // between the dots, and from the last dot to the reply
    int dropFirst = 0;            // the first N replies are lost (the panel did act)
    double dropFraction = 0;      // this share of the later replies is lost
    bool garbleChecksum = false;  // every reply carries a wrong checksum
    int disconnectAfter = -1;     // the line breaks when frame N + 1 arrives
    // Additions to the agreed set:
    int garbleFirst = 0;  // the first N replies carry a wrong checksum
    unsigned seed = 1;    // drives dropFraction, so runs repeat exactly
    // The Nth register write ("LW...", counted from 1) is answered "AY" but
    // never reaches the panel: a write lost without a trace. 0: none.
    int swallowWrite = 0;
    int replyDelayMs = 0;  // the panel's own time before it starts each reply
    // With pacing: the frame that asks also takes its wire time (a pseudo-
    // terminal hands it over at once), so a reply starts only after it.
    bool pacedFrames = false;
};

class SimLine : public QObject {
    Q_OBJECT
public:
    explicit SimLine(QObject* parent = nullptr);
    ~SimLine() override;

    SimPanel& AddPanel(int address, std::string model, std::string version, bool answersKv = true);
    // The panel now answering at an address (panels move with LW73).
    SimPanel* PanelAt(int address);
    const std::vector<std::unique_ptr<SimPanel>>& Panels() const { return panels_; }

    SimLineOptions& Options() { return options_; }
    // Restarts the fault counters and the random sequence of dropFraction.
    void ResetFaults();

    void Receive(const QByteArray& bytes);

    // For the relay server: the reply line with checksum and without CR,
    // or nothing when no panel answers (or the reply was lost).
    std::optional<std::string> Answer(const std::string& addressField, const std::string& command);

    bool IsBroken() const { return broken_; }
    int FramesReceived() const { return framesReceived_; }

signals:
    void Transmit(const QByteArray& bytes);
    void Disconnected();

private:
    struct Pending {
        QByteArray bytes;
        qint64 notBeforeMs = 0;
        qsizetype sent = 0;
    };
    void HandleFrame(const std::string& body);
    std::optional<std::string> Serve(const std::string& addressField, const std::string& command);
    bool CountFrameAndCheckBroken();
    void Schedule(const QByteArray& bytes, qint64 delayMs);
    void Pump();

    std::vector<std::unique_ptr<SimPanel>> panels_;
    SimLineOptions options_;
    std::mt19937 random_;
    std::string frame_;
    bool inFrame_ = false;
    int framesReceived_ = 0;
    int repliesMade_ = 0;
    int writesSeen_ = 0;
    bool broken_ = false;
    std::deque<Pending> queue_;
    qint64 lastScheduledEndMs_ = 0;
    QElapsedTimer clock_;
    QTimer pump_;
};

// Address field of the serial frame for addresses 0 to 255 ("01", "FF").
std::string AddressField(int address);
// The whole frame the tool sends: ">" + field + command + checksum + CR.
QByteArray BuildFrame(int address, const std::string& command);
// The reply line the panel sends for a reply text "A" + data.
QByteArray BuildReply(const std::string& reply, bool garble = false);

}  // namespace kvtk
