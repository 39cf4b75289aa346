#pragma once
// A serial port (or pseudo-terminal) at 9600 baud, 8 data bits, no parity,
// 1 stop bit, as a ByteLink. The port is closed by the link itself on any
// port failure, and linkLost tells why.
//
// An open port is held for this program alone, whatever name it was opened
// by (/dev/serial/by-id/... or /dev/ttyUSB0): the device is opened by its
// real path, so the serial port's lock file (/var/lock/LCK..ttyUSB0) is the
// same for every name, it is put in the kernel's exclusive mode, and an
// advisory lock (flock) is held on it, which also keeps out root and
// programs that lock that way.

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
    // The last failure in words for the user, naming the device as given:
    // "/dev/ttyUSB0 is in use by another program.", or "cannot open
    // /dev/ttyS0: " and why, with the fix for missing rights.
    QString failureText() const;
    // The same without the device: "in use by another program.", what the
    // rights allow and the fix, or the system's words.
    QString failureReason() const;

    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override;
    void close() override;
    QString name() const override { return device_; }

private:
    void OnError(QSerialPort::SerialPortError error);
    bool LockDevice(const QString& real);
    void UnlockDevice();

    QSerialPort port_;
    QString device_;
    PortOpenError openError_ = PortOpenError::None;
    QString errorText_;
    QString accessReason_;  // why the rights refuse the device, when they do
    int lockFd_ = -1;       // holds the advisory lock while the port is open
};

}  // namespace kvtk
