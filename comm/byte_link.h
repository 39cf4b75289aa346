#pragma once
// A byte stream to a serial line of panels: a real serial port, a
// pseudo-terminal, or the in-process simulated line. The serial exchange
// frames commands onto it and reads replies from it; it never blocks.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace kvtk {

class ByteLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ByteLink() override = default;

    virtual bool isOpen() const = 0;
    // Queues bytes for sending; returns false when the link cannot send.
    virtual bool write(const QByteArray& bytes) = 0;
    // Takes every byte received so far.
    virtual QByteArray readAll() = 0;
    // Drops whatever was received and not yet taken.
    virtual void discardInput() = 0;
    virtual void close() = 0;
    // Device path or a short description ("built-in simulated line").
    virtual QString name() const = 0;

signals:
    // New bytes can be taken with readAll().
    void readyRead();
    // The link broke (cable pulled, device gone); it is closed afterwards.
    void linkLost(const QString& reason);
};

}  // namespace kvtk
