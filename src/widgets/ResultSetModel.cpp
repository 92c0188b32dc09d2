#include "ResultSetModel.h"

#include "fb/ResultSet.h"

#include <QBrush>
#include <QDate>
#include <QFont>

namespace velmora {

ResultSetModel::ResultSetModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void ResultSetModel::setResultSet(const fb::ResultSet *set)
{
    beginResetModel();
    m_set = set;
    endResetModel();
}

void ResultSetModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void ResultSetModel::setRowBackground(const QColor &colour, Rows rows)
{
    m_background = colour;
    m_rows = rows;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::BackgroundRole});
}

void ResultSetModel::setRowMark(RowMark mark)
{
    m_mark = std::move(mark);
    if (rowCount() > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

int ResultSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_set ? 0 : m_set->rowCount();
}

int ResultSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_set ? 0 : m_set->columnCount();
}

QVariant ResultSetModel::data(const QModelIndex &index, int role) const
{
    // The set may have been reopened with fewer rows before refresh() came:
    // such cells read as empty rather than out of range.
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: return display(index.row(), index.column());
    case Qt::BackgroundRole: return background(index.row());
    default: return {};
    }
}

QVariant ResultSetModel::display(int row, int column) const
{
    const QVariant value = m_set->value(row, column);
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    return value.toString();
}

QVariant ResultSetModel::background(int row) const
{
    if (!m_background.isValid() || (m_rows == Rows::Alternate && row % 2 == 0))
        return {};
    return QBrush(m_background);
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section < columnCount())
            return m_set->columnName(section);
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    // The row indicator carries no number, only the row's mark.
    if (role == Qt::DecorationRole && m_mark && section < rowCount()) {
        const QPixmap mark = m_mark(section);
        if (!mark.isNull())
            return mark;
    }
    return {};
}

} // namespace velmora
