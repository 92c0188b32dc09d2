#pragma once

#include "TempDatabase.h"
#include "db/Fdm.h"

#include <QStringList>

namespace velmora::test {

// Rows of messaggi as "pc|messaggio|utente", by key, read by a workstation of their own.
inline QStringList messageRows(const TempDatabase &db)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    dm->open(dm->t_sms, QStringLiteral("select pc, messaggio, utente from messaggi order by id"));
    QStringList out;
    for (int r = 0; r < dm->t_sms.rowCount(); ++r)
        out << dm->t_sms.value(r, 0).toString() + QLatin1Char('|') + dm->t_sms.value(r, 1).toString()
                   + QLatin1Char('|') + dm->t_sms.value(r, 2).toString();
    return out;
}

} // namespace velmora::test
