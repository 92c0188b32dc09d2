#include "alarms/AlarmStatements.h"

#include "db/Fdm.h"
#include "db/Sql.h"

namespace velmora::alarm {

namespace {

// letto is an SQL value: 'S' or null.
QString writeBack(const AlarmDeadline &d, const QString &letto)
{
    return QStringLiteral("UPDATE scadenze SET scadenza='") + testo_sql(d.text) + QStringLiteral("', ")
           + QStringLiteral("data=") + data_sql(d.date) + QStringLiteral(", ")
           + QStringLiteral("letto=") + letto + QStringLiteral(", ")
           + QStringLiteral("ora='") + testo_sql(d.time) + QStringLiteral("', ")
           + QStringLiteral("pc='") + testo_sql(d.pc) + QStringLiteral("' ")
           + QStringLiteral("WHERE id=") + d.id;
}

} // namespace

QString markSeen(const AlarmDeadline &held)
{
    return writeBack(held, QStringLiteral("'S'"));
}

QString snooze(const AlarmDeadline &held, const Moment &moment)
{
    return writeBack({held.id, moment.date, moment.time, held.text, held.pc}, QStringLiteral("null"));
}

QString remove(const AlarmDeadline &held)
{
    return QStringLiteral("DELETE FROM scadenze WHERE id=") + held.id;
}

QString generalListMailFirst(const Tdm &dm)
{
    return QStringLiteral("select data, ora, mail, scadenza, letto, pc, id from scadenze WHERE ") + dm.pcFilter()
           + QStringLiteral(" ORDER BY data,ora");
}

} // namespace velmora::alarm
