#include "platform/SharedFolder.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace velmora {

QString folderRefusal(const QString &failed, const QString &folder, const QString &cause)
{
    return failed + QLatin1Char('\n')
           + QStringLiteral("Controllare la cartella \"%1\" e i suoi permessi: l'utente che avvia il programma deve "
                            "poterci leggere e scrivere e, dove le cartelle di Velmora sono condivise con un gruppo, "
                            "farne parte (chi vi è appena stato aggiunto deve uscire dalla sessione e rientrare). "
                            "Controllare anche che il disco non sia pieno.")
                 .arg(QDir::toNativeSeparators(folder))
           + QLatin1Char('\n') + cause;
}

void makeSharedFolder(const QString &folder)
{
    const QString target = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const auto refused = [&target](const QString &made, int error) {
        return Error(folderRefusal(QStringLiteral("Impossibile creare la cartella \"%1\".").arg(QDir::toNativeSeparators(target)),
                                   QFileInfo(made).absolutePath(), QString::fromLocal8Bit(std::strerror(error))));
    };
    QStringList missing;
    for (QString f = target; !QFileInfo::exists(f); f = QFileInfo(f).absolutePath()) {
        missing.prepend(f);
        if (f == QFileInfo(f).absolutePath())
            break;
    }
    for (const QString &made : missing) {
        const QByteArray path = QFile::encodeName(made);
        if (::mkdir(path.constData(), S_IRWXU | S_IRWXG) != 0) {
            if (errno != EEXIST)
                throw refused(made, errno);
            continue;
        }
        // mkdir() leaves out what the umask forbids, and the set-group bit.
        ::chmod(path.constData(), S_IRWXU | S_IRWXG | S_ISGID);
    }
    if (!QFileInfo(target).isDir())
        throw refused(target, ENOTDIR);
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
