#pragma once

#include "TempDatabase.h"
#include "widgets/DataGrid.h"

#include <QPushButton>
#include <QStringList>
#include <QtTest>

namespace velmora::test {

// A click on a row of a table page's grid, as the user makes it.
inline void clickRow(DataGrid *grid, int row)
{
    grid->resize(700, 300);
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

inline void press(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Every row of a query as its cells joined by "|", null shown as <null>.
inline QStringList tableRows(const TempDatabase &db, const QString &sql)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    dm->open(dm->t_ente, sql);
    QStringList out;
    for (int r = 0; r < dm->t_ente.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < dm->t_ente.columnCount(); ++c) {
            const QVariant v = dm->t_ente.value(r, c);
            cells << (v.isNull() ? QStringLiteral("<null>")
                      : v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd/MM/yyyy")) : v.toString());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The controls the tab key reaches on a page, from the first in its order
// round to it again: what takes the focus by tab, is not hidden and is not
// part of another control (the grid's scroll bars and headers take none).
inline QStringList tabStops(QWidget *page, QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && page->isAncestorOf(w))
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && names.size() < 100);
    return names;
}

// The grid's cells of one row, as shown.
inline QStringList shownRow(const DataGrid *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        cells << grid->model()->index(row, c).data().toString();
    return cells;
}

} // namespace velmora::test
