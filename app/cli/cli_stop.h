#pragma once
// Ctrl+C (SIGINT) and SIGTERM as the port window's Cancel: while a run is
// under way the first signal only asks it to stop at its next step; a
// second one ends the program at once with exit status 130, saying so.

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>

namespace kvtk::cli {

class SignalStop : public QObject {
    Q_OBJECT
public:
    // Takes over SIGINT and SIGTERM until destroyed. One at a time.
    SignalStop();
    ~SignalStop() override;
    SignalStop(const SignalStop&) = delete;
    SignalStop& operator=(const SignalStop&) = delete;

    // A signal came, whether or not the event loop has seen it yet.
    bool Requested() const;
    // SIGINT or SIGTERM; 0 before any signal.
    int Signal() const;

signals:
    // Once, from the event loop, after the first signal.
    void requested();

private:
    void Wake();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
    bool announced_ = false;
};

// "SIGINT (Ctrl+C)" or "SIGTERM".
const char* SignalName(int signal);

}  // namespace kvtk::cli
