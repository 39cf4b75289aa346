#include "sim/simulated_link.h"

namespace kvtk {

SimulatedLink::SimulatedLink(SimLine& line, QObject* parent) : ByteLink(parent), line_(&line) {
    Attach();
}

SimulatedLink::SimulatedLink(std::unique_ptr<SimLine> line, QObject* parent)
    : ByteLink(parent), owned_(std::move(line)), line_(owned_.get()) {
    Attach();
}

SimulatedLink::~SimulatedLink() = default;

void SimulatedLink::Attach() {
    connect(line_, &SimLine::Transmit, this, [this](const QByteArray& bytes) {
        if (!open_) return;
        input_ += bytes;
        emit readyRead();
    });
    connect(line_, &SimLine::Disconnected, this, [this] {
        if (!open_) return;
        close();
        emit linkLost(QStringLiteral("The simulated line was disconnected."));
    });
}

bool SimulatedLink::write(const QByteArray& bytes) {
    if (!open_ || line_->IsBroken()) return false;
    line_->Receive(bytes);
    return true;
}

QByteArray SimulatedLink::readAll() {
    QByteArray bytes;
    bytes.swap(input_);
    return bytes;
}

void SimulatedLink::close() {
    open_ = false;
    input_.clear();
}

QString SimulatedLink::name() const {
    return QStringLiteral("built-in simulated line");
}

}  // namespace kvtk
