// The grid over a real result set: titles, values, row colours, the row that
// follows the set, and the mail mark in the row indicator.
#include "TempDatabase.h"
#include "widgets/DataGrid.h"
#include "widgets/MailMark.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

using namespace velmora;

namespace {

const QString listSql = QStringLiteral(
    "select data, ora, scadenza, mail, letto, pc, id from scadenze"
    " WHERE (pc='tutti' OR pc='10.0.0.1') ORDER BY data,ora");

// The mark for rows whose mail, read as text, is not empty.
ResultSetModel::RowMark mailMarkOf(const fb::ResultSet &set)
{
    return [&set](int row) {
        const int mail = set.columnIndex(QStringLiteral("mail"));
        return set.value(row, mail).toString().isEmpty() ? QPixmap() : mailMark();
    };
}

} // namespace

class TestDataGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;

    fb::ResultSet &list() { return m_dm->t_sca; }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TempDatabase>();
        m_db->exec({
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, mail, pc)"
                           " VALUES ('03/25/2024', '09.30', 'Consiglio', 'preside@scuola.it', 'tutti')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, mail, pc)"
                           " VALUES ('03/26/2024', '10.00', 'Collegio', '', '10.0.0.1')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, letto, pc)"
                           " VALUES ('04/02/2024', '11.15', 'Scrutini', 'S', 'tutti')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, mail, pc)"
                           " VALUES ('04/03/2024', '08.00', 'Altrove', 'x@y.it', '10.0.0.9')"),
        });
        m_dm = m_db->connect(QStringLiteral("10.0.0.1"));
        m_dm->open(list(), listSql);
    }

    void cleanup()
    {
        m_dm.reset();
        m_db.reset();
    }

    void titlesAndValues()
    {
        ResultSetModel model;
        model.setResultSet(&list());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 7);
        QStringList titles;
        for (int c = 0; c < model.columnCount(); ++c) {
            titles.append(model.headerData(c, Qt::Horizontal).toString());
            QVERIFY(model.headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        }
        QCOMPARE(titles, (QStringList{"DATA", "ORA", "SCADENZA", "MAIL", "LETTO", "PC", "ID"}));

        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("25/03/2024"));
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("09.30"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("Consiglio"));
        QCOMPARE(model.data(model.index(2, 0)).toString(), QStringLiteral("02/04/2024"));
        QCOMPARE(model.data(model.index(2, 4)).toString(), QStringLiteral("S"));
        QCOMPARE(model.data(model.index(2, 6)).toString(), QStringLiteral("3"));
        // Null and empty text both show nothing.
        QVERIFY(!model.data(model.index(0, 4)).isValid());
        QVERIFY(!model.data(model.index(2, 3)).isValid());
        QCOMPARE(model.data(model.index(1, 3)).toString(), QString());
        // The indicator carries no row number.
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    }

    void staleRowsReadEmpty()
    {
        ResultSetModel model;
        model.setResultSet(&list());
        const QModelIndex last = model.index(2, 0);
        m_dm->open(list(), listSql + QStringLiteral(" ROWS 1"));
        QVERIFY(!model.data(last).isValid());
        model.refresh();
        QCOMPARE(model.rowCount(), 1);
    }

    void rowBackgrounds()
    {
        ResultSetModel model;
        model.setResultSet(&list());
        const QColor band(0xE1, 0xF0, 0xFF);
        QVERIFY(!model.data(model.index(1, 0), Qt::BackgroundRole).isValid());

        model.setRowBackground(band, ResultSetModel::Rows::Alternate);
        QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(model.data(model.index(1, 2), Qt::BackgroundRole).value<QBrush>().color(), band);
        QVERIFY(!model.data(model.index(2, 0), Qt::BackgroundRole).isValid());

        const QColor every(0xC4, 0xE3, 0xD6);
        model.setRowBackground(every, ResultSetModel::Rows::All);
        for (int r = 0; r < model.rowCount(); ++r)
            QCOMPARE(model.data(model.index(r, 5), Qt::BackgroundRole).value<QBrush>().color(), every);
    }

    void rowFollowsTheSet()
    {
        DataGrid grid;
        QSignalSpy counted(&grid, &DataGrid::rowCountShown);
        QSignalSpy clicked(&grid, &DataGrid::rowClicked);
        grid.resize(600, 300);
        grid.setResultSet(&list());
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(counted.size(), 1);
        QCOMPARE(counted.last().first().toInt(), 3);
        QCOMPARE(grid.currentIndex().row(), 0);

        // The set moved by the page: the grid follows.
        list().setRow(2);
        grid.showCurrentRow();
        QCOMPARE(grid.currentIndex().row(), 2);
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid.selectionModel()->selectedRows().first().row(), 2);

        // A click in the grid: the set follows, then rowClicked.
        const QRect second = grid.visualRect(grid.model()->index(1, 2));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(list().row(), 1);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(grid.selectionModel()->selectedRows().first().row(), 1);

        // The keyboard moves the set too.
        QTest::keyClick(grid.viewport(), Qt::Key_Down);
        QCOMPARE(list().row(), 2);
        QCOMPARE(clicked.size(), 1);

        // Reopened with one more row: the count and the set's row are shown.
        m_dm->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc)"
                                 " VALUES ('01/10/2024', '12.00', 'Primo', 'tutti')"));
        m_dm->reopen(list());
        grid.refresh();
        QCOMPARE(counted.size(), 2);
        QCOMPARE(counted.last().first().toInt(), 4);
        QCOMPARE(grid.model()->rowCount(), 4);
        QCOMPARE(grid.currentIndex().row(), 0);
        QCOMPARE(grid.model()->data(grid.model()->index(0, 0)).toString(),
                 QStringLiteral("10/01/2024"));

        grid.setResultSet(nullptr);
        QCOMPARE(counted.last().first().toInt(), 0);
        QCOMPARE(grid.model()->rowCount(), 0);
    }

    void mailMarkPicture()
    {
        const QImage mark = mailMark().toImage();
        QCOMPARE(mark.size(), QSize(13, 10));
        QVERIFY(mark.hasAlphaChannel());
        QCOMPARE(mark.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(mark.pixelColor(12, 9).alpha(), 0);
        QCOMPARE(mark.pixelColor(1, 1).alpha(), 255);    // the outline
        QCOMPARE(mark.pixelColor(6, 7).alpha(), 255);    // the paper
        QVERIFY(mark.pixelColor(1, 1) != mark.pixelColor(6, 7));
    }

    void mailMarkOnlyWithAMail()
    {
        DataGrid grid;
        grid.resultModel().setRowMark(mailMarkOf(list()));
        grid.setResultSet(&list());
        const QAbstractItemModel &model = *grid.model();
        QVERIFY(model.headerData(0, Qt::Vertical, Qt::DecorationRole).value<QPixmap>().size()
                == QSize(13, 10));
        QVERIFY(!model.headerData(1, Qt::Vertical, Qt::DecorationRole).isValid());   // ''
        QVERIFY(!model.headerData(2, Qt::Vertical, Qt::DecorationRole).isValid());   // null

        // And the indicator column draws it: the outline colour appears on
        // the first row only.
        grid.resize(600, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QColor outline = mailMark().toImage().pixelColor(1, 1);
        QHeaderView *indicator = grid.verticalHeader();
        QVERIFY(indicator->width() >= 13 + 4);
        const QImage drawn = indicator->grab().toImage();
        const auto hasOutline = [&](int row) {
            const int top = indicator->sectionViewportPosition(row);
            for (int y = top; y < top + indicator->sectionSize(row); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    if (drawn.pixelColor(x, y) == outline)
                        return true;
            return false;
        };
        QVERIFY(hasOutline(0));
        QVERIFY(!hasOutline(1));
        QVERIFY(!hasOutline(2));
    }
};

QTEST_MAIN(TestDataGrid)
#include "test_data_grid.moc"
