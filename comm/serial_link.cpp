#include "comm/serial_link.h"

#include <QFile>
#include <QFileInfo>

#include "comm/port_access.h"
#include "comm/port_names.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kvtk {

QString SerialDevicePath(const QString& device) {
#ifdef Q_OS_UNIX
    // The serial port looks up every name that does not start with "/",
    // "./" or "../" under /dev; a relative path that exists here means that
    // file.
    if (!device.isEmpty() && QFileInfo::exists(device)) return QFileInfo(device).absoluteFilePath();
#endif
    return device;
}

SerialLink::SerialLink(QObject* parent) : ByteLink(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &ByteLink::readyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialLink::OnError);
}

SerialLink::~SerialLink() {
    close();
}

bool SerialLink::open(const QString& device) {
    close();
    device_ = device;
    openError_ = PortOpenError::None;
    errorText_.clear();
    accessReason_.clear();
    // One name for every way to the device, so that all locks meet.
    const QString real = RealDevicePath(device);
    if (!LockDevice(real)) {
        openError_ = PortOpenError::InUse;
        return false;
    }
    port_.setPortName(real);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) {
#ifdef Q_OS_UNIX
        // The serial port asks for exclusive mode too; asked here it does
        // not hang on how the port does it.
        ::ioctl(static_cast<int>(port_.handle()), TIOCEXCL);
#endif
        return true;
    }
    UnlockDevice();
    errorText_ = port_.errorString();
    switch (port_.error()) {
        case QSerialPort::PermissionError: {
            // Both a device held by another program (its lock file, or its
            // exclusive mode) and one the rights refuse come as a permission
            // error; the rights tell them apart.
            const PortUser user = CurrentPortUser();
            const PortAccess access = CheckPortAccess(QFile::encodeName(real).toStdString(), user);
            openError_ = access.Allowed() ? PortOpenError::InUse : PortOpenError::PermissionDenied;
            if (!access.Allowed())
                accessReason_ = QString::fromLocal8Bit(PortAccessReason(access, user));
            break;
        }
        case QSerialPort::DeviceNotFoundError:
            openError_ = PortOpenError::NotFound;
            break;
        default:
            openError_ = PortOpenError::Other;
            break;
    }
    port_.clearError();
    return false;
}

bool SerialLink::LockDevice([[maybe_unused]] const QString& real) {
#ifdef Q_OS_UNIX
    // The lock is held on a descriptor of its own, taken before the port is
    // opened: a refused second opener then never opens the port, so its
    // close cannot take the exclusive mode from the program that holds it.
    lockFd_ =
        ::open(QFile::encodeName(real).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (lockFd_ < 0) {
        // Held in exclusive mode by another program; any other failure the
        // port's own open reports in its words.
        if (errno != EBUSY) return true;
        errorText_ = QStringLiteral("the device is in exclusive use");
        return false;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        errorText_ = QStringLiteral("the device is locked");
        UnlockDevice();
        return false;
    }
#endif
    return true;
}

void SerialLink::UnlockDevice() {
#ifdef Q_OS_UNIX
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
#endif
}

QString SerialLink::failureReason() const {
    switch (openError_) {
        case PortOpenError::None:
            return {};
        case PortOpenError::InUse:
            return QStringLiteral("in use by another program.");
        case PortOpenError::PermissionDenied:
            if (!accessReason_.isEmpty()) return accessReason_;
            break;
        case PortOpenError::NotFound:
        case PortOpenError::Other:
            break;
    }
    return errorText_ + QLatin1Char('.');
}

QString SerialLink::failureText() const {
    if (openError_ == PortOpenError::None) return {};
    if (openError_ == PortOpenError::InUse)
        return device_ + QStringLiteral(" is ") + failureReason();
    return QStringLiteral("cannot open ") + device_ + QStringLiteral(": ") + failureReason();
}

bool SerialLink::isOpen() const {
    return port_.isOpen();
}

bool SerialLink::write(const QByteArray& bytes) {
    if (!port_.isOpen()) return false;
    return port_.write(bytes) == bytes.size();
}

QByteArray SerialLink::readAll() {
    return port_.isOpen() ? port_.readAll() : QByteArray{};
}

void SerialLink::discardInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void SerialLink::close() {
    if (port_.isOpen()) port_.close();
    UnlockDevice();
}

void SerialLink::OnError(QSerialPort::SerialPortError error) {
    if (!port_.isOpen()) return;  // failures while opening are reported by open()
    const bool deviceGone = error == QSerialPort::ResourceError ||
                            error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
                            error == QSerialPort::DeviceNotFoundError;
    if (!deviceGone) return;
    const QString reason = port_.errorString();
    // After a hang-up the port still counts as open: close it here.
    close();
    port_.clearError();
    emit linkLost(reason);
}

}  // namespace kvtk
