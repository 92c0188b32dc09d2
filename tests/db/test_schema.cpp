// A new database: every table with its widths, the keys and the one row of ente.
#include "TempDatabase.h"
#include "db/Upgrade.h"
#include "fb/Error.h"

#include <QtTest>

using namespace velmora;

class TestSchema : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;

    int width(const QString &table, const QString &column)
    {
        m_dm->open(m_dm->t_sca, QStringLiteral("select * from ") + table + QStringLiteral(" ROWS 1 to 1"));
        return m_dm->t_sca.declaredWidth(column);
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TempDatabase>();
        m_dm = m_db->connect(QStringLiteral("10.0.0.1"));
    }
    void cleanup()
    {
        m_dm.reset();
        m_db.reset();
    }

    void widths_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("atLeast");
        const struct { const char *t, *c; int w; } cols[] = {
            {"scadenze", "ora", 5}, {"scadenze", "scadenza", 250}, {"scadenze", "mail", 50},
            {"scadenze", "letto", 1}, {"scadenze", "pc", 20},
            {"festivita", "festa", 70}, {"annuali", "ora", 5}, {"annuali", "scadenza", 250},
            {"client", "utente", 35}, {"client", "pc", 20},
            {"messaggi", "pc", 20}, {"messaggi", "utente", 35}, {"messaggi", "messaggio", 1000},
            {"ente", "denom", 150}, {"ente", "dedica", 20}, {"ente", "indir", 100},
            {"ente", "comune", 50}, {"ente", "cap", 5}, {"ente", "pr", 2}, {"ente", "cf", 11},
            {"ente", "cm", 10}, {"ente", "tel", 13}, {"ente", "fax", 13}, {"ente", "mail", 50},
            {"ente", "sito", 50}, {"ente", "dirigente", 30}, {"ente", "cf_dirigente", 16},
            {"ente", "dsga", 30}, {"ente", "cf_dsga", 16}, {"ente", "anno_scol", 9},
        };
        for (const auto &c : cols)
            QTest::addRow("%s.%s", c.t, c.c) << QString::fromLatin1(c.t) << QString::fromLatin1(c.c) << c.w;
    }

    void widths()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, atLeast);
        QVERIFY(width(table, column) >= atLeast);
    }

    void enteHasOneEmptyRow()
    {
        m_dm->open(m_dm->t_ente, QStringLiteral("select * from ente"));
        QCOMPARE(m_dm->t_ente.rowCount(), 1);
        QCOMPARE(m_dm->t_ente.columnCount(), 18);
        for (int c = 0; c < m_dm->t_ente.columnCount(); ++c)
            QVERIFY(m_dm->t_ente.isNull(0, c));
    }

    void keysAreAssigned()
    {
        m_dm->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'a', 'tutti')"));
        m_dm->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '09.00', 'b', 'tutti')"));
        m_dm->run(QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')"));
        m_dm->run(QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Anna', '10.0.0.1')"));
        m_dm->run(QStringLiteral("INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 9, '08.00', 'Inizio')"));
        m_dm->run(QStringLiteral("INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (2, 9, '08.00', 'Secondo')"));
        m_dm->open(m_dm->t_sca, QStringLiteral("select id from scadenze order by id"));
        QCOMPARE(m_dm->t_sca.value(0, 0).toLongLong(), 1);
        QCOMPARE(m_dm->t_sca.value(1, 0).toLongLong(), 2);
        m_dm->open(m_dm->t_ann, QStringLiteral("select id from annuali order by id"));
        QCOMPARE(m_dm->t_ann.value(0, 0).toLongLong(), 1);
        QCOMPARE(m_dm->t_ann.value(1, 0).toLongLong(), 2);
        // Emptying the table restarts the sequence at 0: the next row is 1 again.
        m_dm->run(QStringLiteral("DELETE FROM annuali"));
        m_dm->run(QStringLiteral("ALTER SEQUENCE GEN_ANNUALI_ID RESTART WITH 0"));
        m_dm->run(QStringLiteral("INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 9, '08.00', 'Inizio')"));
        m_dm->open(m_dm->t_ann, QStringLiteral("select id from annuali"));
        QCOMPARE(m_dm->t_ann.value(0, 0).toLongLong(), 1);
        // A message written with its three columns, as every copy writes it.
        m_dm->run(QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('10.0.0.1', 'a','Anna')"));
        m_dm->run(QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('10.0.0.1', 'a','Anna')"));
        m_dm->open(m_dm->t_sms, QStringLiteral("select id from messaggi order by id"));
        QCOMPARE(m_dm->t_sms.value(0, 0).toLongLong(), 1);
        QCOMPARE(m_dm->t_sms.value(1, 0).toLongLong(), 2);
    }

    void duplicates_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("same deadline moment and workstation")
            << "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'a', 'tutti')"
            << "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'b', 'tutti')";
        QTest::newRow("same annual day and time")
            << "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 9, '08.00', 'a')"
            << "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 9, '08.00', 'b')";
    }

    void duplicates()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        m_dm->run(first);
        QVERIFY_THROWS_EXCEPTION(fb::Error, m_dm->run(second));
    }

    void sameMomentForAnotherWorkstationIsNoDuplicate()
    {
        m_dm->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'a', '10.0.0.1')"));
        m_dm->run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'a', '10.0.0.2')"));
    }

    void textsKeepAccents()
    {
        m_dm->run(QStringLiteral("UPDATE ente SET denom='Istituto «Bàrtoli» – è così'"));
        m_dm->open(m_dm->t_ente, QStringLiteral("select denom from ente"));
        QCOMPARE(m_dm->t_ente.value(QStringLiteral("denom")).toString(), QStringLiteral("Istituto «Bàrtoli» – è così"));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
