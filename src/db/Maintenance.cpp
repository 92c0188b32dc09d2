#include "db/Maintenance.h"

#include "db/ConnectionString.h"
#include "db/Fdm.h"
#include "db/HeldDatabase.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::maintenance {

namespace {

// Removes the scratch file however the restore ends.
class Scratch {
public:
    explicit Scratch(QString file) : m_file(std::move(file)) {}
    ~Scratch() { QFile::remove(m_file); }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;
    const QString &file() const { return m_file; }

private:
    QString m_file;
};

void runService(const Tdm &dm, const fb::Service &service, const LineSink &onLine, const std::atomic<bool> &stop)
{
    service.run(siteOf(dm.databaseName), Tdm::login(), onLine, stop);
}

void purge(Tdm &dm, const QString &sql)
{
    dm.sblocca(QStringLiteral("1"));
    dm.run(sql);
    dm.rereadDeadlines();
}

} // namespace

QString copyName(const QDate &day)
{
    return day.toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral(".copia");
}

fb::ServiceSite siteOf(const QString &connection)
{
    const ConnectionString cs = ConnectionString::parse(connection);
    if (cs.server.isEmpty())
        return {};
    return {cs.server, cs.isLoopback()};
}

bool copy(Tdm &dm, const QString &database, const QString &copyFile, const Runner &run)
{
    dm.BackupService1.DatabaseName = database;
    dm.BackupService1.BackupFile = copyFile;
    return run([&dm](const LineSink &onLine, const std::atomic<bool> &stop) {
        runService(dm, dm.BackupService1, onLine, stop);
    });
}

QString scratchFile(const QString &database)
{
    return QFileInfo(database).absoluteDir().filePath(QStringLiteral("velmora-ripristino.fdb"));
}

bool restore(Tdm &dm, const QString &copyFile, const QString &database, const Runner &run)
{
    // Refused at once, rather than after the whole restore, while another
    // workstation works on the database.
    HeldDatabase::ensureFree(database);
    const Scratch scratch(scratchFile(database));
    dm.RestoreService1.BackupFile = copyFile;
    dm.RestoreService1.DatabaseName = scratch.file();
    if (!run([&dm](const LineSink &onLine, const std::atomic<bool> &stop) {
            runService(dm, dm.RestoreService1, onLine, stop);
        }))
        return false;
    HeldDatabase(database).replaceWith(scratch.file());
    return true;
}

std::optional<QDate> typedDate(const QString &text)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("d/M/yyyy"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

void purgeBefore(Tdm &dm, const std::optional<QDate> &limit)
{
    // Written back in full, so that 1/3/2024 gives the same literal as 01/03/2024.
    purge(dm, limit ? QStringLiteral("DELETE FROM scadenze WHERE data<")
                          + data_sql(limit->toString(QStringLiteral("dd/MM/yyyy")))
                    : QStringLiteral("DELETE FROM scadenze"));
}

void purgeWord(Tdm &dm, const QString &word)
{
    purge(dm, QStringLiteral("DELETE FROM scadenze WHERE lower(scadenza) LIKE lower('%") + testo_sql(word)
                  + QStringLiteral("%')"));
}

} // namespace velmora::maintenance
