#include "Paths.h"

#include <QDir>

namespace velmora {

namespace {

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString joined(const QString &folder, const QString &name)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The entry of folder whose name equals part without regard to case; the
// exact spelling wins when the file system holds more than one.
QString realSpelling(const QString &folder, const QString &part)
{
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QString found;
    for (const QString &entry : entries) {
        if (entry == part)
            return entry;
        if (found.isEmpty() && entry.compare(part, Qt::CaseInsensitive) == 0)
            found = entry;
    }
    return found;
}

} // namespace

QString driveRoot()
{
    const QString root = qEnvironmentVariable("VELMORA_ROOT");
    return withTrailingSlash(root.isEmpty() ? QDir::homePath() : root);
}

QString caselessPath(const QString &root, const QStringList &parts)
{
    QString path = root;
    bool onDisk = true;
    for (const QString &part : parts) {
        QString name = part;
        if (onDisk) {
            const QString found = realSpelling(path, part);
            onDisk = !found.isEmpty();
            if (onDisk)
                name = found;
        }
        path = joined(path, name);
    }
    return path;
}

QString velmoraPath(const QStringList &parts)
{
    return caselessPath(driveRoot(), QStringList{QStringLiteral("Velmora")} + parts);
}

} // namespace velmora
