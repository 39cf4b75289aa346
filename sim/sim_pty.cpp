#include "sim/sim_pty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace kvtk {

SimPty::SimPty(SimLine& line, QObject* parent) : QObject(parent), line_(line) {
    connect(&line_, &SimLine::Transmit, this, [this](const QByteArray& bytes) {
        if (master_ < 0) return;
        outgoing_ += bytes;
        WritePending();
    });
    connect(&line_, &SimLine::Disconnected, this, &SimPty::CloseMaster);
}

SimPty::~SimPty() {
    CloseMaster();
}

bool SimPty::Open() {
    if (master_ >= 0) return true;
    std::array<char, 256> name{};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    raw.c_cflag |= CLOCAL | CREAD;
    if (openpty(&master_, &slave_, name.data(), &raw, nullptr) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        master_ = slave_ = -1;
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = QString::fromLocal8Bit(name.data());
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &SimPty::ReadMaster);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &SimPty::WritePending);
    return true;
}

void SimPty::ReadMaster() {
    std::array<char, 512> buffer{};
    for (;;) {
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n > 0) {
            line_.Receive(QByteArray(buffer.data(), static_cast<qsizetype>(n)));
            if (master_ < 0) return;  // the line broke and closed us
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        // End or error (no slave left open): stop listening rather than spin.
        readNotifier_->setEnabled(false);
        return;
    }
}

void SimPty::WritePending() {
    while (!outgoing_.isEmpty() && master_ >= 0) {
        const ssize_t n =
            ::write(master_, outgoing_.constData(), static_cast<size_t>(outgoing_.size()));
        if (n > 0) {
            outgoing_.remove(0, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) break;  // the tool is not reading: wait for room
        outgoing_.clear();                    // nobody can take it
        break;
    }
    if (writeNotifier_) writeNotifier_->setEnabled(!outgoing_.isEmpty());
}

void SimPty::CloseMaster() {
    readNotifier_.reset();
    writeNotifier_.reset();
    outgoing_.clear();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

}  // namespace kvtk
