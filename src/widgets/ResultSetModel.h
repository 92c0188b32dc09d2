#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>

#include <functional>

namespace velmora {

namespace fb {
class ResultSet;
}

// The rows of a result set for a grid: one column per column of the set,
// titled with its name in bold, dates as dd/MM/yyyy, nulls empty.
class ResultSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Alternate: the second, fourth, ... row coloured, the others plain.
    enum class Rows { All, Alternate };
    // The picture for a row's indicator cell; a null pixmap leaves it blank.
    using RowMark = std::function<QPixmap(int row)>;

    explicit ResultSetModel(QObject *parent = nullptr);

    // Not owned; nullptr shows nothing.
    void setResultSet(const fb::ResultSet *set);
    // Rereads the set after it was opened again.
    void refresh();

    // Rows painted with colour; an invalid colour leaves every row plain.
    void setRowBackground(const QColor &colour, Rows rows);
    void setRowMark(RowMark mark);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant display(int row, int column) const;
    QVariant background(int row) const;

    const fb::ResultSet *m_set = nullptr;
    QColor m_background;
    Rows m_rows = Rows::All;
    RowMark m_mark;
};

} // namespace velmora
