#include "MailDate.h"

#include <QLocale>

#include <cstdlib>

namespace velmora::mail {

QByteArray mailDate(const QDateTime &when)
{
    const int offsetMinutes = when.offsetFromUtc() / 60;
    const int absolute = std::abs(offsetMinutes);
    const QString offset = QStringLiteral("%1%2%3")
                               .arg(QLatin1Char(offsetMinutes < 0 ? '-' : '+'))
                               .arg(absolute / 60, 2, 10, QLatin1Char('0'))
                               .arg(absolute % 60, 2, 10, QLatin1Char('0'));
    return (QLocale::c().toString(when, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) + offset)
        .toLatin1();
}

} // namespace velmora::mail
