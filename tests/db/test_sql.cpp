// The helpers that write values into SQL text.
#include "TempDatabase.h"
#include "db/Sql.h"
#include "fb/Error.h"

#include <QHostAddress>
#include <QtTest>

using namespace velmora;

class TestSql : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dataSql_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::newRow("empty") << "" << "null";
        QTest::newRow("empty mask") << "  /  /    " << "null";
        QTest::newRow("full date") << "25/03/2024" << "'03/25/2024'";
        QTest::newRow("29 February") << "29/02/2028" << "'02/29/2028'";
        QTest::newRow("no leading zeros") << "5/3/2024" << "'/205/324'";
        // The server would read blanks as a missing year and take the
        // current one: they become characters it refuses.
        QTest::newRow("partly typed") << "25/03/    " << "'03/25/____'";
        QTest::newRow("blank day") << " 5/03/2024" << "'03/_5/2024'";
        QTest::newRow("short text") << "25/0" << "'025/'";
    }

    void dataSql()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QCOMPARE(data_sql(text), sql);
    }

    // What the server makes of the literals: a full date is read as
    // month/day/year, a wrongly typed one makes the statement fail.
    void dataSqlOnTheServer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("stored");   // invalid: refused
        QTest::newRow("full date") << "25/03/2024" << QDate(2024, 3, 25);
        QTest::newRow("empty stores null") << "  /  /    " << QDate();
        QTest::newRow("no leading zeros") << "5/3/2024" << QDate();
        QTest::newRow("partly typed") << "25/03/    " << QDate();
        QTest::newRow("blank day") << " 5/03/2024" << QDate();
        QTest::newRow("31 April") << "31/04/2024" << QDate();
    }

    void dataSqlOnTheServer()
    {
        QFETCH(QString, text);
        QFETCH(QDate, stored);
        test::TempDatabase db;
        const auto dm = db.connect(QStringLiteral("10.0.0.1"));
        const QString insert = QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES (")
                               + data_sql(text) + QStringLiteral(", '08.00', 'x', 'tutti')");
        const bool refused = !stored.isValid() && text.trimmed() != QLatin1String("/  /");
        if (refused) {
            QVERIFY_THROWS_EXCEPTION(fb::Error, dm->run(insert));
            return;
        }
        dm->run(insert);
        dm->open(dm->t_sca, QStringLiteral("select data from scadenze"));
        QCOMPARE(dm->t_sca.value(QStringLiteral("data")).toDate(), stored);
    }

    void testoSql_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("no quotes") << "Consiglio di classe" << "Consiglio di classe";
        QTest::newRow("one apostrophe") << "dell'anno" << "dell''anno";
        QTest::newRow("two quotes") << "''" << "''''";
        QTest::newRow("quotes at both ends") << "'a'" << "''a''";
        QTest::newRow("double quotes untouched") << "\"x\"" << "\"x\"";
    }

    void testoSql()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QCOMPARE(testo_sql(text), sql);
    }

    // A doubled text read back is the text as typed.
    void testoSqlRoundTrip()
    {
        test::TempDatabase db;
        const auto dm = db.connect(QStringLiteral("10.0.0.1"));
        const QString typed = QStringLiteral("L'ultima ''prova'' dell'anno; DROP TABLE x; --");
        dm->run(QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (1, 1, '") + testo_sql(typed)
                + QStringLiteral("')"));
        dm->open(dm->t_fes, QStringLiteral("select giorno, mese, festa, id from festivita ORDER BY mese,giorno"));
        QCOMPARE(dm->t_fes.value(QStringLiteral("festa")).toString(), typed);
    }

    void ipLocaleIsNeverLoopback()
    {
        const QString key = ip_locale();
        if (key.isEmpty())
            return;   // no address at all: the empty key is the documented answer
        QHostAddress a;
        QVERIFY(a.setAddress(key));
        QCOMPARE(a.protocol(), QAbstractSocket::IPv4Protocol);
        QVERIFY(!a.isLoopback());
    }
};

QTEST_GUILESS_MAIN(TestSql)
#include "test_sql.moc"
