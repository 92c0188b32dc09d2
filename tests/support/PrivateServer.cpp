#include "PrivateServer.h"

#include <QProcess>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora::test {

namespace {

// A port that nothing listens on at this moment.
quint16 freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace

PrivateServer::PrivateServer() : m_port(freePort())
{
}

PrivateServer::~PrivateServer()
{
    stop();
}

bool PrivateServer::start()
{
    return script(QStringLiteral("start"));
}

void PrivateServer::stop()
{
    script(QStringLiteral("stop"));
}

bool PrivateServer::script(const QString &command)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_FBSERVER_PORT"), QString::number(m_port));
    env.insert(QStringLiteral("VELMORA_FBSERVER_DIR"), m_dir.filePath(QStringLiteral("server")));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("bash"), {QStringLiteral(VELMORA_SOURCE_DIR "/scripts/fbserver"), command});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace velmora::test
