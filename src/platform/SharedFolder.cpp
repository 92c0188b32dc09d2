#include "platform/SharedFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

namespace velmora {

bool makeSharedFolder(const QString &folder)
{
    QStringList missing;
    for (QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()); !QFileInfo::exists(f);
         f = QFileInfo(f).absolutePath()) {
        missing.prepend(f);
        if (f == QFileInfo(f).absolutePath())
            break;
    }
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &made : missing)
        ::chmod(QFile::encodeName(made).constData(), S_IRWXU | S_IRWXG | S_ISGID);
    return true;
}

void shareFile(const QString &file)
{
    ::chmod(QFile::encodeName(file).constData(), S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP);
}

} // namespace velmora
