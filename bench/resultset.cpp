// Reads 100,000 deadlines through the data module's result set and through a
// bare fetch loop over the same statement; prints both times, their ratio and
// the peak memory. Goal: ratio at most 1.3.
#include "db/Fdm.h"
#include "db/Schema.h"
#include "fb/Client.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

constexpr int rows = 100000;
constexpr int rounds = 5;

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

void fill(Tdm &dm)
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
        "IIF(MOD(:i, 2) = 0, 'tutti', '10.0.0.7')); i = i + 1; END END").arg(rows));
}

// The same statement with nothing but the client library's fetch.
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

double dataModule(Tdm &dm, const QString &sql, int &count)
{
    QElapsedTimer t;
    t.start();
    dm.open(dm.t_sca, sql);
    count = dm.t_sca.rowCount();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Velmora.FDB"));
    createDatabase(file);
    Tdm dm;
    dm.pc = QStringLiteral("10.0.0.7");
    dm.databaseName = file;
    dm.connect();
    fill(dm);
    const QString sql = QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze WHERE ")
                        + dm.pcFilter() + QStringLiteral(" ORDER BY data,ora");

    double bare = 1e18, ours = 1e18;
    int bareRows = 0, ourRows = 0;
    for (int i = 0; i < rounds; ++i)
        bare = std::min(bare, bareFetch(dm, sql, bareRows));
    const long peakBare = peakKiB();
    for (int i = 0; i < rounds; ++i)
        ours = std::min(ours, dataModule(dm, sql, ourRows));
    const long peakOurs = peakKiB();

    std::printf("rows read: %d (bare) / %d (result set)\n", bareRows, ourRows);
    std::printf("bare fetch loop:   %8.1f ms (best of %d)\n", bare, rounds);
    std::printf("dm result set:     %8.1f ms (best of %d)\n", ours, rounds);
    std::printf("ratio:             %8.3f (goal: at most 1.3)\n", ours / bare);
    std::printf("peak memory:       %8ld KiB after the bare loop, %ld KiB with the result set held\n",
                peakBare, peakOurs);
    return bareRows == ourRows ? 0 : 1;
}
