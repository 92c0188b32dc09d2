#include "fb/LockFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora::fb {

namespace {

// A folder only this user may enter: lock files are shared memory of the
// engine, no other user has any business there.
bool madePrivate(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QFileInfo info(folder);
    return info.isWritable()
           && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList candidates()
{
    QStringList folders;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        folders << runtime + QStringLiteral("/velmora-firebird");
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        folders << cache + QStringLiteral("/velmora/firebird-lock");
    return folders;
}

} // namespace

QString useOwnLockFolder()
{
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return qEnvironmentVariable("FIREBIRD_LOCK");
    for (const QString &folder : candidates()) {
        if (madePrivate(folder)) {
            qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
            return folder;
        }
    }
    return {};
}

} // namespace velmora::fb
