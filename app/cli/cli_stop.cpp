#include "app/cli/cli_stop.h"

#include <fcntl.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>

#include "app/cli/cli_args.h"

namespace kvtk::cli {
namespace {

// The only state shared with the signal handler, and so the program's only
// global mutable state: what a handler may touch safely (std::sig_atomic_t
// values and a descriptor it writes one byte to). Set while a SignalStop
// exists; the handler runs with SIGINT and SIGTERM blocked, so it never
// races itself.
volatile std::sig_atomic_t gSignalCount = 0;
volatile std::sig_atomic_t gSignal = 0;
volatile std::sig_atomic_t gWakeFd = -1;

constexpr char kAbortText[] =
    "\nkvtk-cli: stopped at once by a second signal: the device may be left write-enabled"
    " with a partly written configuration.\n";

extern "C" void OnStopSignal(int signal) {
    if (gSignalCount > 0) {
        [[maybe_unused]] const ssize_t written =
            write(STDERR_FILENO, kAbortText, sizeof kAbortText - 1);
        _exit(kExitStopped);
    }
    const int savedErrno = errno;
    gSignalCount = 1;
    gSignal = signal;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(gWakeFd, &byte, 1);
    errno = savedErrno;
}

void Install(int signal, struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, &previous);
}

}  // namespace

SignalStop::SignalStop() {
    assert(gWakeFd < 0 && "one SignalStop at a time");
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then signals keep their default
    gSignalCount = 0;
    gSignal = 0;
    gWakeFd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalStop::Wake);
    Install(SIGINT, previousInt_);
    Install(SIGTERM, previousTerm_);
}

SignalStop::~SignalStop() {
    if (gWakeFd < 0 || gWakeFd != pipe_[1]) return;
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    gWakeFd = -1;
    notifier_.reset();
    close(pipe_[0]);
    close(pipe_[1]);
}

bool SignalStop::Requested() const {
    return gSignalCount > 0;
}

int SignalStop::Signal() const {
    return gSignal;
}

void SignalStop::Wake() {
    char bytes[16];
    while (read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    if (announced_) return;
    announced_ = true;
    emit requested();
}

const char* SignalName(int signal) {
    return signal == SIGTERM ? "SIGTERM" : "SIGINT (Ctrl+C)";
}

}  // namespace kvtk::cli
