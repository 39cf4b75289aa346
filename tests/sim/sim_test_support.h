#pragma once
// Collects the bytes a simulated line (or a device) sends and waits for
// them in an event loop woken by the data or a deadline, never by polling.

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace kvtk::test {

class ByteCollector : public QObject {
public:
    template <typename Sender, typename Signal>
    ByteCollector(Sender* sender, Signal signal) {
        clock_.start();
        connect(sender, signal, this, [this](const QByteArray& bytes) { Add(bytes); });
    }
    ByteCollector() { clock_.start(); }

    void Add(const QByteArray& bytes) {
        bytes_ += bytes;
        chunks_.push_back(bytes);
        arrivalsMs_.push_back(clock_.elapsed());
        emit_();
    }

    // Waits until `done` holds or `ms` pass; returns done().
    bool WaitFor(const std::function<bool()>& done, int ms = 2000) {
        if (done()) return true;
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        emit_ = [&] {
            if (done()) loop.quit();
        };
        deadline.start(ms);
        loop.exec();
        emit_ = [] {};
        return done();
    }
    bool WaitForLines(int count, int ms = 2000) {
        return WaitFor([&] { return bytes_.count('\r') >= count; }, ms);
    }
    // Lets the event loop run for `ms` (to prove that nothing arrives).
    void Idle(int ms) {
        WaitFor([] { return false; }, ms);
    }

    const QByteArray& Bytes() const { return bytes_; }
    const std::vector<QByteArray>& Chunks() const { return chunks_; }
    const std::vector<qint64>& ArrivalsMs() const { return arrivalsMs_; }

private:
    QByteArray bytes_;
    std::vector<QByteArray> chunks_;
    std::vector<qint64> arrivalsMs_;
    QElapsedTimer clock_;
    std::function<void()> emit_ = [] {};
};

}  // namespace kvtk::test
