#include "db/HeldDatabase.h"

#include "platform/Error.h"
#include "platform/SharedFolder.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora {

namespace {

QString refusal(const QString &what, const QString &file, int error)
{
    return folderRefusal(what.arg(file), QFileInfo(file).absolutePath(), QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

HeldDatabase::HeldDatabase(const QString &file) : m_file(file)
{
    m_fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        if (errno == ENOENT)
            return;
        throw Error(refusal(QStringLiteral("Impossibile aprire il database \"%1\"."), file, errno));
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return;
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    if (error == EWOULDBLOCK)
        throw Error(QStringLiteral("Il database \"%1\" è aperto da un'altra postazione o da un altro programma: "
                                   "chiudere Velmora sulle altre postazioni e riprovare.")
                        .arg(file));
    throw Error(refusal(QStringLiteral("Impossibile aprire il database \"%1\"."), file, error));
}

HeldDatabase::~HeldDatabase()
{
    // Closing lets go of the lock; a replaced file goes with it.
    if (m_fd >= 0)
        ::close(m_fd);
}

void HeldDatabase::ensureFree(const QString &file)
{
    const HeldDatabase held(file);
}

void HeldDatabase::replaceWith(const QString &replacement)
{
    if (m_fd >= 0)
        shareAs(replacement, m_file);
    if (std::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(m_file).constData()) != 0)
        throw Error(refusal(QStringLiteral("Impossibile sostituire il database \"%1\" con quello ripristinato."),
                            m_file, errno));
}

} // namespace velmora
