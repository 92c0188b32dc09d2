#include "app/SessionEnd.h"

#include "platform/Error.h"
#include "platform/ErrorReport.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {

namespace {

// Lock-free, so the handler may read it.
std::atomic<int> wakeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void onSigterm(int)
{
    const int saved = errno;
    const int fd = wakeFd.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

SessionEnd::SocketPair::SocketPair()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0)
        throw Error(QString::fromLocal8Bit(std::strerror(errno)));
}

SessionEnd::SocketPair::~SocketPair()
{
    ::close(fds[0]);
    ::close(fds[1]);
}

SessionEnd::SessionEnd(QObject *parent) : QObject(parent)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, guardedSlot(this, &SessionEnd::onTerminate));
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, guardedSlot(this, &SessionEnd::onCommitData));

    m_previousFd = wakeFd.exchange(m_pair.fds[1]);
    struct sigaction action = {};
    action.sa_handler = onSigterm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &m_previousAction);
}

SessionEnd::~SessionEnd()
{
    ::sigaction(SIGTERM, &m_previousAction, nullptr);
    wakeFd.store(m_previousFd);
}

void SessionEnd::onTerminate()
{
    char bytes[16];
    while (::read(m_pair.fds[0], bytes, sizeof bytes) > 0) {
    }
    Q_EMIT ending();
}

// Not cancelling the request lets the session go on.
void SessionEnd::onCommitData(QSessionManager &)
{
    Q_EMIT ending();
}

} // namespace velmora
