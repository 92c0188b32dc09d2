#include "app/SessionEnd.h"

#include "platform/Error.h"
#include "platform/ErrorReport.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velmora {

namespace {

sigset_t terminateSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    return set;
}

int openSignalFd()
{
    // This thread must block it too, or the signal never waits to be read.
    SessionEnd::holdTerminate();
    const sigset_t set = terminateSet();
    const int fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        throw Error(QString::fromLocal8Bit(std::strerror(errno)));
    return fd;
}

} // namespace

void SessionEnd::holdTerminate()
{
    const sigset_t set = terminateSet();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void SessionEnd::releaseTerminate()
{
    ::signal(SIGTERM, SIG_DFL);
    const sigset_t set = terminateSet();
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent), m_fd(openSignalFd()), m_notifier(m_fd, QSocketNotifier::Read, this)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, guardedSlot(this, &SessionEnd::onTerminate));
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, guardedSlot(this, &SessionEnd::onCommitData));
}

SessionEnd::~SessionEnd()
{
    m_notifier.setEnabled(false);
    ::close(m_fd);
}

void SessionEnd::onTerminate()
{
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof info) > 0) {
    }
    Q_EMIT ending();
}

// Not cancelling the request lets the session go on.
void SessionEnd::onCommitData(QSessionManager &)
{
    Q_EMIT ending();
}

} // namespace velmora
