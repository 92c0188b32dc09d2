#include "platform/SharedFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

namespace velmora {

QString folderCheck(const QString &folder)
{
    return QStringLiteral("Controllare la cartella \"%1\" e i suoi permessi: l'utente che avvia il programma deve "
                          "poterci leggere e scrivere e, dove le cartelle di Velmora sono condivise con un gruppo, "
                          "farne parte (chi vi è appena stato aggiunto deve uscire dalla sessione e rientrare). "
                          "Controllare anche che il disco non sia pieno.")
        .arg(QDir::toNativeSeparators(folder));
}

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

bool shareAs(const QString &file, const QString &model)
{
    struct stat st {};
    if (::stat(QFile::encodeName(model).constData(), &st) != 0)
        return false;
    const QByteArray path = QFile::encodeName(file);
    return ::chown(path.constData(), static_cast<uid_t>(-1), st.st_gid) == 0
           && ::chmod(path.constData(), st.st_mode & 07777) == 0;
}

} // namespace velmora
