#include "db/Setup.h"

#include "db/ConnectionString.h"
#include "db/DatabaseFailure.h"
#include "db/Fdm.h"
#include "db/Schema.h"
#include "db/Statements.h"
#include "fb/Error.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/SharedFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora::setup {

QString connectionFile()
{
    return velmoraPath({QStringLiteral("Sys"), QStringLiteral("velmora.cnt")});
}

QString databaseFile()
{
    return velmoraPath({QStringLiteral("Database"), QStringLiteral("velmora.fdb")});
}

QString backupFolder()
{
    return velmoraPath({QStringLiteral("Backup")});
}

QString connectionStringFor(const QString &server)
{
    return server + QLatin1Char(':')
           + velmoraPath({QStringLiteral("Database"), QStringLiteral("Velmora.FDB")});
}

QString typedServer(const QString &emptyWarning)
{
    Dialogs &d = dialogs();
    const std::optional<QString> name =
        d.input(QStringLiteral("Indirizzo IP o Nome PC"),
                QStringLiteral("Digitare l'indirizzo IP del SERVER e cliccare su OK"), QString());
    if (!name)
        return {};
    if (name->isEmpty()) {
        d.warning(emptyWarning);
        return {};
    }
    if (!d.question(QStringLiteral("Confermare indirizzo IP: ") + *name + QLatin1Char('?')))
        return {};
    return *name;
}

QString askServer()
{
    Dialogs &d = dialogs();
    if (d.question(QStringLiteral("E' la postazione che conterrà la base dei dati?"))
        && d.question(QStringLiteral("Confermare la scelta?")))
        return QStringLiteral("localhost");
    return typedServer(QStringLiteral("Indirizzo IP non indicato... Riavviare il programma!"));
}

QString readConnection()
{
    QFile f(connectionFile());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readLine()).trimmed();
}

void writeConnection(const QString &connection)
{
    const QString path = connectionFile();
    const QString folder = QFileInfo(path).absolutePath();
    // A new workstation has no folder yet: there is no installer to make it.
    makeSharedFolder(folder);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write((connection + QLatin1Char('\n')).toUtf8()) < 0
        || !f.commit())
        throw Error(folderRefusal(QStringLiteral("Impossibile scrivere il file \"%1\".").arg(path), folder, f.errorString()));
    shareFile(path);
}

bool createDatabaseIfMissing(const QString &connection, const QString &key)
{
    const ConnectionString cs = ConnectionString::parse(connection);
    // The file may be there under another spelling: it is the same database.
    const QString existing = caselessPath(QStringLiteral("/"), cs.path.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    if (cs.path.isEmpty() || !cs.namesThisWorkstation(key) || QFileInfo::exists(existing))
        return false;
    try {
        createDatabase(cs.path);
    } catch (const fb::Error &e) {
        if (!e.systemFailure())
            throw;
        throw Error(databaseCreateFailure(cs.path, e));
    }
    return true;
}

QString workstationUser(Tdm &dm)
{
    dm.open(dm.t_pc, sql::users());
    const QString user = dm.t_pc.locate(QStringLiteral("pc"), {dm.pc}, true)
                             ? dm.t_pc.value(QStringLiteral("utente")).toString()
                             : QString();
    dm.t_pc.close();
    return user;
}

} // namespace velmora::setup
