// Result sets read whole: every column type, nulls, locate, bookmarks.
#include "TempDatabase.h"
#include "fb/Error.h"

#include <QtTest>

using namespace velmora;

class TestResultSet : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;

    fb::ResultSet &typed() { return m_dm->t_sca; }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TempDatabase>();
        m_db->exec({
            QStringLiteral("CREATE TABLE tipi (n INTEGER, s SMALLINT, b BIGINT, d DATE, t TIME,"
                           " ts TIMESTAMP, c CHAR(5), v VARCHAR(30), x NUMERIC(9,2), f DOUBLE PRECISION,"
                           " o BOOLEAN)"),
            QStringLiteral("INSERT INTO tipi VALUES (42, -7, 9000000000, '02/29/2024', '09:05:00',"
                           " '12/31/2026 23:59:30', '9.05', 'l''anno è già', 12.34, 0.5, TRUE)"),
            QStringLiteral("INSERT INTO tipi (n) VALUES (NULL)"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'Consiglio', 'tutti')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '09.30', 'Collegio', '10.0.0.7')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('02/11/2027', '08.00', 'CONSIGLIO', '10.0.0.7')"),
        });
        m_dm = m_db->connect(QStringLiteral("10.0.0.7"));
    }

    void cleanup()
    {
        m_dm.reset();
        m_db.reset();
    }

    void everyTypeAndNull()
    {
        m_dm->open(typed(), QStringLiteral("select * from tipi order by n nulls last"));
        fb::ResultSet &r = typed();
        QCOMPARE(r.rowCount(), 2);
        QCOMPARE(r.columnCount(), 11);
        QCOMPARE(r.columnName(0), QStringLiteral("N"));
        QCOMPARE(r.value(QStringLiteral("n")), QVariant(qlonglong(42)));
        QCOMPARE(r.value(QStringLiteral("S")), QVariant(qlonglong(-7)));
        QCOMPARE(r.value(QStringLiteral("b")), QVariant(qlonglong(9000000000LL)));
        QCOMPARE(r.value(QStringLiteral("d")), QVariant(QDate(2024, 2, 29)));
        QCOMPARE(r.value(QStringLiteral("t")), QVariant(QTime(9, 5)));
        QCOMPARE(r.value(QStringLiteral("ts")), QVariant(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30))));
        QCOMPARE(r.value(QStringLiteral("c")), QVariant(QStringLiteral("9.05")));
        QCOMPARE(r.value(QStringLiteral("v")), QVariant(QStringLiteral("l'anno è già")));
        QCOMPARE(r.value(QStringLiteral("x")).toDouble(), 12.34);
        QCOMPARE(r.value(QStringLiteral("f")).toDouble(), 0.5);
        QCOMPARE(r.value(QStringLiteral("o")), QVariant(true));
        QCOMPARE(r.declaredWidth(QStringLiteral("c")), 5);
        QCOMPARE(r.declaredWidth(QStringLiteral("v")), 30);
        QCOMPARE(r.declaredWidth(QStringLiteral("n")), 0);

        r.next();
        QVERIFY(!r.eof());
        for (int c = 0; c < r.columnCount(); ++c) {
            QVERIFY2(r.isNull(1, c), qPrintable(r.columnName(c)));
            QVERIFY(r.value(1, c).isNull());
        }
        r.next();
        QVERIFY(r.eof());
        QVERIFY_THROWS_EXCEPTION(velmora::Error, r.value(QStringLiteral("n")));
        QVERIFY_THROWS_EXCEPTION(velmora::Error, (void)r.declaredWidth(QStringLiteral("nessuna")));
    }

    void emptyResultIsAtEnd()
    {
        m_dm->open(typed(), QStringLiteral("select * from tipi where n = -1"));
        QVERIFY(typed().isOpen());
        QCOMPARE(typed().rowCount(), 0);
        QVERIFY(typed().eof());
        QCOMPARE(typed().columnCount(), 11);
    }

    void reopenSeesCommittedChanges()
    {
        const QString sql = QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze WHERE ")
                            + m_dm->pcFilter() + QStringLiteral(" ORDER BY data,ora");
        m_dm->open(m_dm->t_sca, sql);
        QCOMPARE(m_dm->t_sca.rowCount(), 3);
        QCOMPARE(m_dm->t_sca.sql(), sql);
        const auto other = m_db->connect(QStringLiteral("10.0.0.8"));
        other->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('03/01/2027', '10.00', 'Nuova', 'tutti')"));
        m_dm->reopen(m_dm->t_sca);
        QCOMPARE(m_dm->t_sca.rowCount(), 4);
        QCOMPARE(m_dm->t_sca.sql(), sql);
    }

    void locate_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("found");   // scadenza of the row found, empty: none

        QTest::newRow("one column, exact") << "scadenza" << QVariantList{QStringLiteral("CONSIGLIO")} << false << "CONSIGLIO";
        QTest::newRow("one column, exact, other case") << "scadenza" << QVariantList{QStringLiteral("collegio")} << false << "";
        QTest::newRow("one column, ignoring case") << "scadenza" << QVariantList{QStringLiteral("consiglio")} << true << "Consiglio";
        QTest::newRow("several columns") << "data;ora" << QVariantList{QDate(2027, 1, 10), QStringLiteral("09.30")} << false << "Collegio";
        QTest::newRow("several columns with blanks") << "data; ora ;pc" << QVariantList{QDate(2027, 2, 11), QStringLiteral("08.00"), QStringLiteral("10.0.0.7")} << false << "CONSIGLIO";
        QTest::newRow("several columns, none") << "data;ora" << QVariantList{QDate(2027, 2, 11), QStringLiteral("09.30")} << false << "";
        QTest::newRow("whole number") << "id" << QVariantList{qlonglong(2)} << false << "Collegio";
        QTest::newRow("null matches null") << "mail" << QVariantList{QVariant()} << false << "Consiglio";
    }

    void locate()
    {
        QFETCH(QString, columns);
        QFETCH(QVariantList, values);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, found);
        m_dm->open(m_dm->t_sca, QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze ORDER BY id"));
        m_dm->t_sca.setRow(2);
        QCOMPARE(m_dm->t_sca.locate(columns, values, ignoreCase), !found.isEmpty());
        if (found.isEmpty())
            QCOMPARE(m_dm->t_sca.row(), 2);   // no match: the row stays
        else
            QCOMPARE(m_dm->t_sca.value(QStringLiteral("scadenza")).toString(), found);
    }

    void locateWithWrongArity()
    {
        m_dm->open(m_dm->t_sca, QStringLiteral("select * from scadenze"));
        QVERIFY_THROWS_EXCEPTION(velmora::Error, m_dm->t_sca.locate(QStringLiteral("data;ora"), {QDate()}, false));
    }

    void bookmarks()
    {
        m_dm->open(m_dm->t_sca, QStringLiteral("select scadenza from scadenze ORDER BY id"));
        fb::ResultSet &r = m_dm->t_sca;
        r.next();
        const fb::ResultSet::Bookmark mark = r.bookmark();
        r.first();
        QCOMPARE(r.value(QStringLiteral("scadenza")).toString(), QStringLiteral("Consiglio"));
        r.gotoBookmark(mark);
        QCOMPARE(r.value(QStringLiteral("scadenza")).toString(), QStringLiteral("Collegio"));
    }

    void failedOpenLeavesItClosed()
    {
        m_dm->open(m_dm->t_par, QStringLiteral("select * from tipi"));
        QVERIFY_THROWS_EXCEPTION(fb::Error, m_dm->open(m_dm->t_par, QStringLiteral("select * from nessuna")));
        QVERIFY(!m_dm->t_par.isOpen());
        QCOMPARE(m_dm->t_par.rowCount(), 0);
        QCOMPARE(m_dm->t_par.sql(), QStringLiteral("select * from nessuna"));
    }
};

QTEST_GUILESS_MAIN(TestResultSet)
#include "test_resultset.moc"
