#include "SingleInstance.h"

#include "Error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace velmora {

namespace {

constexpr int connectLimitMs = 1000;
constexpr int writeLimitMs = 1000;
// Long enough for another copy to finish its check; a lock that stays held
// longer than this belongs to a hung copy and is ignored.
constexpr int lockLimitMs = 5000;
// sun_path holds 108 bytes including the terminating zero.
constexpr qsizetype socketPathMax = 107;

const QByteArray raiseRequest = QByteArrayLiteral("raise\n");

// One copy per desktop session: the socket and its lock live in the
// session's runtime folder (XDG_RUNTIME_DIR; Qt makes a private one for the
// user when the session has none), not in the /tmp that all users share.
QString runtimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

// The socket file is <runtime folder>/<identity>. A name too long for a
// socket path is replaced by its SHA-1, which keeps the identity (same
// program path, same name) and fits.
QString socketName(const QString &identity)
{
    const QString folder = runtimeFolder();
    if ((folder + u'/' + identity).toUtf8().size() <= socketPathMax)
        return identity;
    return QStringLiteral("Velmora-")
        + QString::fromLatin1(
            QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

SingleInstance::SingleInstance(const QString &programPath, QObject *parent)
    : QObject(parent), m_identity(nameFor(programPath))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::nameFor(const QString &programPath)
{
    QString name = programPath;
    name.remove(u'/');
    name.remove(u'\\');
    return name;
}

bool SingleInstance::anotherRunning()
{
    // Two copies started at the same moment take turns between the check
    // and the registration. Without the lock in time the check still runs.
    // The runtime folder is read now: the session's, when this copy starts.
    const QString folder = runtimeFolder();
    const QString name = socketName(m_identity);
    m_path = folder + u'/' + name;
    QLockFile turn(m_path + QStringLiteral(".lock"));
    turn.tryLock(lockLimitMs);

    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (socket.waitForConnected(connectLimitMs)) {
        socket.write(raiseRequest);
        socket.flush();
        socket.waitForBytesWritten(writeLimitMs);
        socket.disconnectFromServer();
        return true;
    }
    // The name exists but belongs to a copy this user may not reach.
    if (socket.error() == QLocalSocket::SocketAccessError)
        return true;

    // Nobody answers: a name left over is from a copy that crashed.
    QLocalServer::removeServer(m_path);
    m_server = new QLocalServer(this);
    if (!m_server->listen(m_path))
        throw Error(m_server->errorString());
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == raiseRequest)
                    Q_EMIT raiseRequested();
                peer->disconnectFromServer();
            });
        }
    });
    return false;
}

} // namespace velmora
