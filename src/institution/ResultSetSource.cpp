#include "institution/ResultSetSource.h"

#include "db/Statements.h"
#include "fb/ResultSet.h"

namespace velmora {

int ResultSetSource::rowCount() const
{
    return m_set.rowCount();
}

QString ResultSetSource::text(int row, const QString &column) const
{
    const QVariant value = m_set.value(row, m_set.columnIndex(column));
    if (value.metaType().id() == QMetaType::QDate)
        return sql::dateText(value.toDate());
    return value.toString();
}

} // namespace velmora
