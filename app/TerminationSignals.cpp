// SIGTERM and SIGHUP through a self-pipe; see TerminationSignals.h.
#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kalmo {
namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void writeToPipe(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing more is needed.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
        }
        emit received();
    });
    struct sigaction action {};
    action.sa_handler = writeToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm_);
    ::sigaction(SIGHUP, &action, &previousHangUp_);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::sigaction(SIGHUP, &previousHangUp_, nullptr);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

} // namespace kalmo
