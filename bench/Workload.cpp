#include "Workload.h"

#include "db/Fdm.h"
#include "db/Schema.h"
#include "db/Upgrade.h"
#include "fb/Client.h"

#include <QElapsedTimer>
#include <QFile>

#include <vector>

namespace velmora::bench {

BenchDatabase::BenchDatabase()
{
    const QString file = dir.filePath(QStringLiteral("Velmora.FDB"));
    createDatabase(file);
    dm.pc = QStringLiteral("10.0.0.7");
    dm.databaseName = file;
    dm.connect();
    upgradeOnConnect(dm);
}

void fillDeadlines(Tdm &dm, int rows, bool onlyMine)
{
    // One statement makes every row: 100,000 round trips would measure the filling.
    dm.run(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN "
        "WHILE (i < %1) DO BEGIN "
        "INSERT INTO scadenze (data, ora, scadenza, mail, letto, pc) VALUES ("
        "DATEADD(:i / 96 DAY TO DATE '2026-01-01'), "
        "LPAD(MOD(:i, 96) / 4, 2, '0') || '.' || LPAD(MOD(:i, 4) * 15, 2, '0'), "
        "'Scadenza numero ' || :i || ' del registro dell''ufficio di segreteria', "
        "IIF(MOD(:i, 10) = 0, 'ufficio@scuola.example', NULL), IIF(MOD(:i, 3) = 0, 'S', NULL), "
        "IIF(MOD(:i, 2) = 0 AND %2 = 0, 'tutti', '10.0.0.7')); i = i + 1; END END")
               .arg(rows)
               .arg(onlyMine ? 1 : 0));
}

double bareFetch(Tdm &dm, const QString &sql, int &count)
{
    const QByteArray text = sql.toUtf8();
    QElapsedTimer t;
    t.start();
    fb::Status st;
    dm.tr.start();
    Firebird::IStatement *stmt = dm.db.handle()->prepare(&st, dm.tr.handle(), 0, text.constData(), 3,
                                                         Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IMessageMetadata *meta = stmt->getOutputMetadata(&st);
    Firebird::IResultSet *cursor = stmt->openCursor(&st, dm.tr.handle(), nullptr, nullptr, meta, 0);
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    count = 0;
    while (cursor->fetchNext(&st, buffer.data()) == Firebird::IStatus::RESULT_OK)
        ++count;
    cursor->close(&st);
    stmt->free(&st);
    meta->release();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

long peakKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace velmora::bench
