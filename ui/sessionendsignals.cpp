#include "ui/sessionendsignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int Watched[] = {SIGTERM, SIGINT, SIGHUP};
// [0] is written by the handler, [1] read by the event loop.
int g_pair[2] = {-1, -1};

extern "C" void onSignal(int signalNumber)
{
    // Only async-signal-safe calls here; errno belongs to whatever was
    // interrupted. A full socket drops the byte: an end is pending anyway.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
    errno = savedErrno;
}
} // namespace

SessionEndSignals::SessionEndSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pair) != 0) {
        qWarning("Cannot watch for the end of the session: %s", strerror(errno));
        return;
    }
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEndSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : Watched)
        ::sigaction(signalNumber, &action, nullptr);
}

SessionEndSignals::~SessionEndSignals()
{
    if (!m_notifier)
        return;
    for (int signalNumber : Watched)
        ::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void SessionEndSignals::readPending()
{
    unsigned char byte = 0;
    while (::read(g_pair[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}
