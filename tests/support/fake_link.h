#pragma once
// A ByteLink for tests: records what the exchange writes and lets a
// scripted panel answer, with the answer delivered later from the event loop.

#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "comm/byte_link.h"
#include "comm/wire_format.h"
#include "model/conversions.h"

namespace kvtk::test {

class FakeLink : public ByteLink {
public:
    // Called for every write with the frame text; returns nothing or
    // schedules replies with Deliver().
    using Responder = std::function<void(FakeLink&, const std::string& written)>;

    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override {
        if (!open_) return false;
        writes.emplace_back(bytes.constData(), static_cast<size_t>(bytes.size()));
        if (responder) responder(*this, writes.back());
        return true;
    }
    QByteArray readAll() override {
        QByteArray out = input_;
        input_.clear();
        return out;
    }
    void discardInput() override {
        input_.clear();
        ++discards;
    }
    void close() override { open_ = false; }
    QString name() const override { return QStringLiteral("fake line"); }

    // The bytes arrive after `delayMs` through the event loop.
    void Deliver(const std::string& bytes, int delayMs = 0) {
        QTimer::singleShot(delayMs, this, [this, bytes] {
            if (!open_) return;
            input_.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
            emit readyRead();
        });
    }

    Responder responder;
    std::vector<std::string> writes;
    int discards = 0;

private:
    bool open_ = true;
    QByteArray input_;
};

// A reply line as a panel sends it: "A" + data + checksum + CR.
inline std::string PanelReply(const std::string& data) {
    return "A" + data + NumberToHex(CommandChecksum(data), 2) + kCarriageReturn;
}

}  // namespace kvtk::test
