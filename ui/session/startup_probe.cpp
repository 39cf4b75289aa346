#include "ui/session/startup_probe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace kvtk {
namespace {

// VmRSS of /proc/self/status in kB, or -1 where the system has no such file.
long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class FirstExposeProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            done_ = true;
            std::printf("kvtk-startup exposed rss-kb=%ld\n", ResidentKb());
            std::fflush(stdout);
            // exit, not quit: quitting would close the windows and ask first.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

}  // namespace

void InstallStartupProbe(QApplication& app) {
    if (qEnvironmentVariableIsEmpty("KVTK_STARTUP_PROBE")) return;
    app.installEventFilter(new FirstExposeProbe(&app));
}

}  // namespace kvtk
