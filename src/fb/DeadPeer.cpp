#include "fb/DeadPeer.h"

#include <QDir>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace velmora::fb {

namespace {

constexpr quint16 firebirdPort = 3050;
// An idle attachment is probed after a few seconds and given up after a few
// unanswered probes, so that a lost server is noticed between statements too.
constexpr int idleSeconds = 5;
constexpr int probeSeconds = 2;
constexpr int probes = 3;

// The port of "host:path" or "host/port:path"; 0 for a bare path.
quint16 serverPort(const QString &connection)
{
    const int colon = connection.indexOf(QLatin1Char(':'));
    if (colon <= 0 || connection.startsWith(QLatin1Char('/')))
        return 0;
    const QString host = connection.left(colon);
    const int slash = host.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return firebirdPort;
    bool number = false;
    const uint port = host.mid(slash + 1).toUInt(&number);
    return number && port > 0 && port <= 65535 ? static_cast<quint16>(port) : firebirdPort;
}

quint16 peerPort(int fd)
{
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &length) != 0)
        return 0;
    if (peer.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in &>(peer).sin_port);
    if (peer.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 &>(peer).sin6_port);
    return 0;
}

void bound(int fd)
{
    const int on = 1;
    const unsigned userTimeoutMs = deadPeerSeconds * 1000;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &probeSeconds, sizeof probeSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeoutMs, sizeof userTimeoutMs);
}

} // namespace

void boundDeadPeer(const QString &connection)
{
    const quint16 port = serverPort(connection);
    if (port == 0)
        return;
    // The client library does not hand its socket out: it is found among the
    // process's descriptors by the server's port.
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &name : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int fd = name.toInt(&number);
        struct stat st{};
        if (!number || ::fstat(fd, &st) != 0 || !S_ISSOCK(st.st_mode))
            continue;
        int type = 0;
        socklen_t length = sizeof type;
        if (::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0 && type == SOCK_STREAM && peerPort(fd) == port)
            bound(fd);
    }
}

} // namespace velmora::fb
