#pragma once

#include <QString>

namespace velmora {

// The SQL literal 'mm/dd/yyyy' of a date typed dd/mm/yyyy, or null for an
// empty field. The text is not checked: a wrong or partly typed date makes
// the statement fail.
QString data_sql(const QString &date);

// The text with every single quote doubled, to stand between quotes.
QString testo_sql(const QString &text);

// This workstation's key: its IPv4 address in dotted form, or empty;
// looked up at the first call.
QString ip_locale();

} // namespace velmora
