#include "TcpProxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace velmora::test {

namespace {

sockaddr_in address(const char *ip, quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    ::inet_pton(AF_INET, ip, &a.sin_addr);
    return a;
}

// A listening socket on 127.0.0.1:port (0: any free port); its port.
int listenOn(quint16 &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a = address(listenHost, port);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on loopback");
    }
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

TcpProxy::TcpProxy(quint16 targetPort) : m_target(targetPort)
{
    listen();
}

TcpProxy::~TcpProxy()
{
    m_stopping = true;
    cut();
    for (std::thread &t : m_threads)
        t.join();
}

void TcpProxy::listen()
{
    const std::lock_guard guard(m_lock);
    m_listener = listenOn(m_port);
    m_threads.emplace_back(&TcpProxy::acceptLoop, this, m_listener);
}

void TcpProxy::cut()
{
    const std::lock_guard guard(m_lock);
    // shutdown() wakes the threads blocked on these sockets; each closes its own.
    if (m_listener >= 0)
        ::shutdown(m_listener, SHUT_RDWR);
    m_listener = -1;
    for (const int fd : m_sockets)
        ::shutdown(fd, SHUT_RDWR);
    m_sockets.clear();
}

void TcpProxy::restore()
{
    listen();
}

void TcpProxy::acceptLoop(int listener)
{
    for (;;) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            break;
        const std::lock_guard guard(m_lock);
        if (m_stopping || m_listener != listener) {
            ::close(client);
            break;
        }
        m_sockets.push_back(client);
        m_threads.emplace_back(&TcpProxy::relay, this, client);
    }
    ::close(listener);
}

void TcpProxy::relay(int client)
{
    const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a = address("127.0.0.1", m_target);
    {
        const std::lock_guard guard(m_lock);
        m_sockets.push_back(server);
    }
    if (::connect(server, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
        pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        char buffer[16384];
        bool open = true;
        while (open && ::poll(fds, 2, m_frozen ? 100 : -1) >= 0) {
            if (m_frozen) {
                // Nothing more is read; a cut() still ends the relay.
                fds[0].events = fds[1].events = 0;
                open = !((fds[0].revents | fds[1].revents) & (POLLHUP | POLLERR));
                continue;
            }
            for (int i = 0; i < 2 && open; ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                open = n > 0 && ::send(fds[1 - i].fd, buffer, static_cast<size_t>(n), MSG_NOSIGNAL) == n;
            }
        }
    }
    const std::lock_guard guard(m_lock);
    std::erase(m_sockets, client);
    std::erase(m_sockets, server);
    ::shutdown(client, SHUT_RDWR);
    ::shutdown(server, SHUT_RDWR);
    ::close(client);
    ::close(server);
}

SilentListener::SilentListener()
{
    // Never accepted: the system completes the connections in the backlog.
    m_fd = listenOn(m_port);
}

SilentListener::~SilentListener()
{
    ::close(m_fd);
}

} // namespace velmora::test
