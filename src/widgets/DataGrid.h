#pragma once

#include "ResultSetModel.h"

#include <QTableView>

namespace velmora {

namespace fb {
class ResultSet;
}

// A read-only grid over a result set, one whole row selected at a time. Its
// current row and the set's current row follow each other: moving in the
// grid moves the set, and showCurrentRow() brings the grid to the set.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Not owned; nullptr shows nothing.
    void setResultSet(fb::ResultSet *set);
    // Colours and row marks.
    ResultSetModel &resultModel() { return *m_model; }

    // Rereads the set after it was opened again and shows its current row.
    void refresh();
    // Selects the set's current row, after the page moved the set.
    void showCurrentRow();

Q_SIGNALS:
    // A click on a row, after the set was moved to it.
    void rowClicked();
    // The number of rows shown, each time the grid is filled anew.
    void rowCountShown(int count);

private:
    void follow(const QModelIndex &current);
    void click(const QModelIndex &index);

    ResultSetModel *m_model;
    fb::ResultSet *m_set = nullptr;
};

} // namespace velmora
