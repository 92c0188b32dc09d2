#include "messages/Messages.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "platform/Dialogs.h"

namespace velmora::messages {

QString insertStatement(const QString &pc, const QString &text, const QString &sender)
{
    return QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('") + testo_sql(pc)
        + QStringLiteral("', '") + testo_sql(text) + QStringLiteral("','") + testo_sql(sender)
        + QStringLiteral("')");
}

QString removeStatement(qint64 id)
{
    return QStringLiteral("DELETE FROM messaggi WHERE id=") + QString::number(id);
}

void emptyAll(Tdm &dm)
{
    if (!dialogs().question(QStringLiteral("Continuando tutti i messaggi verranno SVUOTATI?\n"
                                           "Confermare operazione?")))
        return;
    // The next poll reads the table again: nothing to reopen here.
    dm.run(QStringLiteral("DELETE FROM messaggi"));
}

} // namespace velmora::messages
