#include "app/EndWatch.h"

#include <csignal>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velmora {

namespace {

int terminateFd()
{
    // SIGTERM is blocked in every thread from the program's start on, so it
    // waits to be read, and this descriptor only shows that it came.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    return ::signalfd(-1, &set, SFD_CLOEXEC);
}

void signal(int fd)
{
    const eventfd_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(fd, &one, sizeof one);
}

} // namespace

EndWatch::EndWatch(int graceMs)
    : m_graceMs(graceMs),
      m_signals(terminateFd()),
      m_armed(::eventfd(0, EFD_CLOEXEC)),
      m_stop(::eventfd(0, EFD_CLOEXEC)),
      m_thread(&EndWatch::watch, this)
{
}

EndWatch::~EndWatch()
{
    signal(m_stop);
    m_thread.join();
    for (const int fd : {m_signals, m_armed, m_stop})
        if (fd >= 0)
            ::close(fd);
}

void EndWatch::arm()
{
    signal(m_armed);
}

void EndWatch::watch()
{
    pollfd asked[3] = {{m_signals, POLLIN, 0}, {m_armed, POLLIN, 0}, {m_stop, POLLIN, 0}};
    while (::poll(asked, 3, -1) < 0) {
    }
    if (asked[2].revents)
        return;
    pollfd stop{m_stop, POLLIN, 0};
    if (::poll(&stop, 1, m_graceMs) != 0)
        return;
    static const char said[] = "velmora: still not ended after the request to end; ending now\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, said, sizeof said - 1);
    ::_exit(0);
}

} // namespace velmora
