#pragma once
// Serves a simulated line on a pseudo-terminal, so the tool can open it as
// a serial device (/dev/pts/N). The pty is raw from the start, and the
// simulator keeps its own slave descriptor open until CloseMaster(): the
// tool may open and close the device any number of times, and the master
// never sees a hang-up in between.

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "sim/sim_line.h"

namespace kvtk {

class SimPty : public QObject {
    Q_OBJECT
public:
    explicit SimPty(SimLine& line, QObject* parent = nullptr);
    ~SimPty() override;

    bool Open();
    QString SlavePath() const { return slavePath_; }
    // Closes both ends: the device disappears and the tool's port breaks.
    void CloseMaster();
    bool IsOpen() const { return master_ >= 0; }
    // The system's reason when Open() failed.
    QString ErrorText() const { return error_; }

private:
    void ReadMaster();
    void WritePending();

    SimLine& line_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString error_;
    QByteArray outgoing_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
};

}  // namespace kvtk
