#include "db/DatabaseFailure.h"

#include "fb/Error.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

// The lock folder when the server's text names it, else the database's folder.
QString whatToCheck(const QString &file, const fb::Error &e)
{
    const QString lock = QDir::cleanPath(qEnvironmentVariable("FIREBIRD_LOCK", QStringLiteral("/tmp/firebird")));
    if (e.text().contains(lock))
        return QStringLiteral("Controllare la cartella dei file di blocco di Firebird \"%1\" (variabile "
                              "FIREBIRD_LOCK): l'utente che avvia il programma deve poterci scrivere.")
            .arg(lock);
    return QStringLiteral("Controllare la cartella \"%1\" e i suoi permessi: l'utente che avvia il programma "
                          "e, sul computer che contiene il database, il server Firebird (utente firebird) "
                          "devono poter leggere e scrivere la cartella e il file del database. Controllare anche "
                          "che il disco non sia pieno e che il file non sia aperto da un altro programma.")
        .arg(QFileInfo(file).absolutePath());
}

QString failure(const QString &what, const QString &file, const fb::Error &e)
{
    return what.arg(file) + QLatin1Char('\n') + whatToCheck(file, e) + QLatin1Char('\n') + e.text();
}

} // namespace

QString databaseCreateFailure(const QString &file, const fb::Error &e)
{
    return failure(QStringLiteral("Impossibile creare il database \"%1\"."), file, e);
}

QString databaseOpenFailure(const QString &file, const fb::Error &e)
{
    return failure(QStringLiteral("Impossibile aprire il database \"%1\"."), file, e);
}

} // namespace velmora
