#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <cstdint>
#include <vector>

namespace velmora::fb {

class Transaction;

// A SELECT read whole into memory when it opens, with a current row.
// Rows are kept packed (one buffer for all cells) and decoded on reading,
// so a large list costs little more than fetching it.
class ResultSet {
public:
    using Bookmark = int;

    // Close, take the statement, open: every row is read. The transaction
    // is started when it is not active.
    void open(Transaction &tr, const QString &sql);
    // Close and open again with the statement last set.
    void reopen(Transaction &tr);
    void close();
    bool isOpen() const { return m_open; }
    const QString &sql() const { return m_sql; }
    void setSql(const QString &sql) { m_sql = sql; }

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    QString columnName(int column) const;
    // -1 when no column has that name (compared ignoring case).
    int columnIndex(const QString &name) const;
    // Declared width in characters of a text column; 0 for other types.
    int declaredWidth(const QString &name) const;

    int rowCount() const { return m_rows; }
    int row() const { return m_row; }
    void first() { m_row = 0; }
    void next();
    // True once next() went past the last row, or when there is no row.
    bool eof() const { return m_row >= m_rows; }
    void setRow(int row);

    // Null, QDate, qlonglong, double, QTime, QDateTime or QString.
    QVariant value(int row, int column) const;
    QVariant value(const QString &name) const;   // current row
    // One column's values as text, row by row.
    QStringList texts(const QString &name) const;
    bool isNull(int row, int column) const;

    // Moves to the first row whose columns (names separated by ';') equal
    // the values; false and no move when there is none.
    bool locate(const QString &names, const QVariantList &values, bool ignoreCase);

    Bookmark bookmark() const { return m_row; }
    void gotoBookmark(Bookmark b) { setRow(b); }

private:
    enum class Kind : std::uint8_t { Text, Integer, Scaled, Real, Date, Time, Stamp, Boolean };
    struct Column {
        QString name;
        Kind kind;
        int scale;
        int width;
    };

    int requireColumn(const QString &name) const;
    const char *cell(int row, int column) const;

    QString m_sql;
    bool m_open = false;
    std::vector<Column> m_columns;
    std::vector<char> m_data;             // every cell: a null flag, then its value
    std::vector<std::uint32_t> m_cells;   // offset of each cell, row by row
    int m_rows = 0;
    int m_row = 0;
};

} // namespace velmora::fb
