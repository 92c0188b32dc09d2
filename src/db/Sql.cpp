#include "db/Sql.h"

#include "platform/HostAddress.h"

namespace velmora {

QString data_sql(const QString &date)
{
    if (date.isEmpty() || date == QLatin1String("  /  /    "))
        return QStringLiteral("null");
    QString literal = date.mid(3, 3) + date.mid(0, 3) + date.mid(6, 4);
    // Firebird reads a blank year as the current one: a partly typed date
    // would be stored as another day instead of being refused.
    literal.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QLatin1Char('\'') + literal + QLatin1Char('\'');
}

QString testo_sql(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString ip_locale()
{
    // Looked up once per run: a lookup may take its whole bound, and a
    // workstation's key is the same from start to end.
    static const QString key = hostIpv4();
    return key;
}

} // namespace velmora
