#include "Servers.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>

namespace velmora::test {

namespace {

constexpr quint16 firebirdPort = 3050;
constexpr int connectTimeoutMs = 1000;

bool portAnswers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    const bool connected = socket.waitForConnected(connectTimeoutMs);
    socket.abort();
    return connected;
}

} // namespace

QString fbServerAddress()
{
    if (!qEnvironmentVariableIsEmpty("VELMORA_FBSERVER") || portAnswers(firebirdPort))
        return QStringLiteral("localhost");
    return {};
}

bool fbServerRunning()
{
    return !fbServerAddress().isEmpty();
}

void shareWithServer(const QString &folder)
{
    const auto others = QFileDevice::ReadOther | QFileDevice::WriteOther;
    QFile::setPermissions(folder, QFile::permissions(folder) | others | QFileDevice::ExeOther);
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        QFile::setPermissions(file.filePath(), file.permissions() | others);
}

} // namespace velmora::test
