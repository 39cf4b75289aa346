#pragma once
// A serial port (or pseudo-terminal) at 9600 baud, 8 data bits, no parity,
// 1 stop bit, as a ByteLink. The port is closed by the link itself on any
// port failure, and linkLost tells why.

#include <QSerialPort>

#include "comm/byte_link.h"

namespace kvtk {

enum class PortOpenError { None, InUse, PermissionDenied, NotFound, Other };

// The device a port name means: a path that exists (relative to the current
// folder or absolute) as it stands, made absolute; anything else ("ttyUSB0",
// "COM1") is left for the system to look up.
QString SerialDevicePath(const QString& device);

class SerialLink : public ByteLink {
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // Opens the device (a system port name such as "COM1" or a path such as
    // "/dev/ttyUSB0") at 9600 8N1.
    bool open(const QString& device);
    PortOpenError lastOpenError() const { return openError_; }
    // The system's words for the last failure.
    QString lastErrorText() const { return errorText_; }

    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override;
    void close() override;
    QString name() const override { return device_; }

private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString device_;
    PortOpenError openError_ = PortOpenError::None;
    QString errorText_;
};

}  // namespace kvtk
