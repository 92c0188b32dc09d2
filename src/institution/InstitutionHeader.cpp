#include "institution/InstitutionHeader.h"

#include "db/Fdm.h"
#include "db/Statements.h"

namespace velmora {

QString institutionHeader(Tdm &dm)
{
    fb::ResultSet ente;
    dm.open(ente, sql::institution());
    if (ente.rowCount() == 0)
        return {};
    const auto text = [&ente](const char *column) { return ente.value(QLatin1String(column)).toString(); };
    QString header = text("denom");
    if (!text("dedica").isEmpty())
        header += QStringLiteral(" \"") + text("dedica") + QLatin1Char('"');
    if (!text("cm").isEmpty())
        header += QStringLiteral(" - C.M. ") + text("cm") + QLatin1Char('\n');
    header += text("indir");
    if (!text("comune").isEmpty())
        header += QStringLiteral(" - ") + text("comune");
    if (!text("pr").isEmpty())
        header += QStringLiteral(" (") + text("pr") + QLatin1Char(')');
    if (!text("tel").isEmpty())
        header += QStringLiteral(" - Tel. ") + text("tel");
    if (!text("mail").isEmpty())
        header += QStringLiteral(" - E.Mail: ") + text("mail");
    return header;
}

} // namespace velmora
