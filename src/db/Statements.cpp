#include "db/Statements.h"

#include "db/Fdm.h"
#include "db/Sql.h"

namespace velmora::sql {

namespace {

const QString columns = QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze WHERE ");
const QString byMoment = QStringLiteral(" ORDER BY data,ora");

// Before today, or today at a time not later than the current minute.
QString pastCondition(const QDateTime &now)
{
    const QString today = data_sql(dateText(now.date()));
    return QStringLiteral("((data<") + today + QStringLiteral(") or (data=") + today
           + QStringLiteral(" AND ora<='") + timeText(now.time()) + QStringLiteral("'))");
}

} // namespace

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("hh.mm"));
}

QString generalList(const Tdm &dm)
{
    return columns + dm.pcFilter() + byMoment;
}

QString dayList(const Tdm &dm, const QDate &day)
{
    return columns + dm.pcFilter() + QStringLiteral(" AND data=") + data_sql(dateText(day)) + byMoment;
}

QString todayList(const Tdm &dm, const QDate &today)
{
    return columns + QStringLiteral("data=") + data_sql(dateText(today)) + QStringLiteral(" AND ")
           + dm.pcFilter() + byMoment;
}

QString holidays()
{
    return QStringLiteral("select giorno, mese, festa, id from festivita ORDER BY mese,giorno");
}

QString settings()
{
    return QStringLiteral("select * from parametri");
}

QString users()
{
    return QStringLiteral("select utente, pc, id from client ORDER BY utente");
}

QString annualDeadlines()
{
    return QStringLiteral("select giorno, mese, ora, scadenza, id from annuali ORDER BY mese,giorno");
}

QString institution()
{
    return QStringLiteral("select * from ente");
}

QString pastUnseen(const Tdm &dm, const QDateTime &now)
{
    return columns + QStringLiteral("(letto IS NULL or letto<>'S') AND ") + dm.pcFilter()
           + QStringLiteral(" AND ") + pastCondition(now) + byMoment;
}

QString markPastSeen(const Tdm &dm, const QDateTime &now)
{
    return QStringLiteral("UPDATE scadenze SET letto='S' WHERE id IN (select id from scadenze WHERE ")
           + dm.pcFilter() + QStringLiteral(" AND ") + pastCondition(now) + byMoment
           + QLatin1Char(')');
}

} // namespace velmora::sql
