#pragma once

#include <QString>

namespace velmora {

// The warning of the pages that cannot read the database; most add a line
// break and the database's own error text.
inline QString notConnectedWarning()
{
    return QStringLiteral("Database non connesso!!!\n"
                          "Verificare che il Server sia acceso e che la connessione sia stabilita,\n"
                          "quindi chiudere il programma \"Velmora\" e riavviarlo!");
}

// The warning as most pages show it: followed by the database's own text.
inline QString notConnectedWarning(const QString &cause)
{
    return notConnectedWarning() + QLatin1Char('\n') + cause;
}

} // namespace velmora
