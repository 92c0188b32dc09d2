#include "TempRoot.h"

#include "support/Servers.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace velmora::test {

TempRoot::TempRoot() : m_root(save("VELMORA_ROOT")), m_config(save("XDG_CONFIG_HOME"))
{
    QDir(m_dir.path()).mkpath(QStringLiteral("root"));
    qputenv("VELMORA_ROOT", root().toUtf8());
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
}

TempRoot::~TempRoot()
{
    restore(m_root);
    restore(m_config);
}

TempRoot::SavedVariable TempRoot::save(const char *name)
{
    return {name, qEnvironmentVariableIsSet(name), qgetenv(name)};
}

void TempRoot::restore(const SavedVariable &saved)
{
    if (saved.wasSet)
        qputenv(saved.name, saved.value);
    else
        qunsetenv(saved.name);
}

QString TempRoot::root() const
{
    return m_dir.filePath(QStringLiteral("root")) + u'/';
}

QString TempRoot::configHome() const
{
    return m_dir.filePath(QStringLiteral("config"));
}

void TempRoot::writeConnectionFile(const QByteArray &content) const
{
    QDir().mkpath(root() + QStringLiteral("Velmora/Sys"));
    QFile file(root() + QStringLiteral("Velmora/Sys/velmora.cnt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray TempRoot::connectionFile() const
{
    QFile file(root() + QStringLiteral("Velmora/Sys/velmora.cnt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TempRoot::shareWithServer() const
{
    for (const QString &folder : {m_dir.path(), root(), root() + QStringLiteral("Velmora")})
        QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ExeOther);
    for (const char *folder : {"Velmora/Database", "Velmora/Backup"})
        test::shareWithServer(root() + QLatin1String(folder));
}

QString TempRoot::blockedPath() const
{
    const QString file = m_dir.filePath(QStringLiteral("a file"));
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write("not a folder");
    return file + QStringLiteral("/below");
}

void TempRoot::blockRoot() const
{
    qputenv("VELMORA_ROOT", blockedPath().toUtf8());
}

void TempRoot::blockConfigHome() const
{
    qputenv("XDG_CONFIG_HOME", blockedPath().toUtf8());
}

} // namespace velmora::test
