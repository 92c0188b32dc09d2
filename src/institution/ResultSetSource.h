#pragma once

#include "report/Report.h"

namespace velmora {

namespace fb {
class ResultSet;
}

// The rows of a result set for a report: dates as dd/mm/yyyy, nulls empty.
class ResultSetSource : public report::DataSource {
public:
    explicit ResultSetSource(const fb::ResultSet &set) : m_set(set) {}
    int rowCount() const override;
    QString text(int row, const QString &column) const override;

private:
    const fb::ResultSet &m_set;
};

} // namespace velmora
