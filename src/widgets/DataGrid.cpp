#include "DataGrid.h"

#include "fb/ResultSet.h"

#include <QHeaderView>

namespace velmora {

DataGrid::DataGrid(QWidget *parent) : QTableView(parent), m_model(new ResultSetModel(this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    // Room for a 13 pixel row mark whether or not a row carries one.
    verticalHeader()->setFixedWidth(22);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Column widths from the first screenfuls of rows: a long list is
    // refreshed after every change and must not be measured whole.
    horizontalHeader()->setResizeContentsPrecision(100);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::follow);
    connect(this, &QAbstractItemView::clicked, this, &DataGrid::click);
}

void DataGrid::setResultSet(fb::ResultSet *set)
{
    m_set = set;
    m_model->setResultSet(set);
    refresh();
}

void DataGrid::refresh()
{
    m_model->refresh();
    resizeColumnsToContents();
    showCurrentRow();
    Q_EMIT rowCountShown(m_model->rowCount());
}

void DataGrid::showCurrentRow()
{
    if (m_set && m_set->row() < m_model->rowCount())
        setCurrentIndex(m_model->index(m_set->row(), qMax(0, currentIndex().column())));
    else
        selectionModel()->clear();
}

void DataGrid::follow(const QModelIndex &current)
{
    if (m_set && current.isValid())
        m_set->setRow(current.row());
}

void DataGrid::click(const QModelIndex &index)
{
    follow(index);
    Q_EMIT rowClicked();
}

} // namespace velmora
