#include "comm/serial_link.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cerrno>
#endif

namespace kvtk {
namespace {

// QSerialPort reports both a device locked by another program and a device
// the user may not open as a permission error; the file's access rights
// tell them apart.
PortOpenError ClassifyPermissionError([[maybe_unused]] const QString& device) {
#ifdef Q_OS_UNIX
    const QByteArray path = device.toLocal8Bit();
    if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return PortOpenError::PermissionDenied;
#endif
    return PortOpenError::InUse;
}

}  // namespace

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
    port_.close();
}

bool SerialLink::open(const QString& device) {
    close();
    device_ = device;
    openError_ = PortOpenError::None;
    errorText_.clear();
    port_.setPortName(SerialDevicePath(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) return true;
    errorText_ = port_.errorString();
    switch (port_.error()) {
        case QSerialPort::PermissionError:
            openError_ = ClassifyPermissionError(SerialDevicePath(device));
            break;
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
}

void SerialLink::OnError(QSerialPort::SerialPortError error) {
    if (!port_.isOpen()) return;  // failures while opening are reported by open()
    const bool deviceGone = error == QSerialPort::ResourceError ||
                            error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
                            error == QSerialPort::DeviceNotFoundError;
    if (!deviceGone) return;
    const QString reason = port_.errorString();
    // After a hang-up the port still counts as open: close it here.
    port_.close();
    port_.clearError();
    emit linkLost(reason);
}

}  // namespace kvtk
