// Two workstations on one database: the lock slots and the change idiom.
#include "TempDatabase.h"
#include "fb/Error.h"

#include <QtTest>

using namespace velmora;

namespace {
const QString lockDeadline = QStringLiteral("UPDATE scadenze SET id=id WHERE ID=");
}

class TestLocks : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<Tdm> m_a, m_b;

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TempDatabase>();
        m_db->exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'Consiglio', 'tutti')")});
        m_a = m_db->connect(QStringLiteral("10.0.0.1"));
        m_b = m_db->connect(QStringLiteral("10.0.0.2"));
    }

    void cleanup()
    {
        m_a.reset();
        m_b.reset();
        m_db.reset();
    }

    void secondLockFailsUntilReleased()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        QVERIFY(m_a->tr_blocca.active());
        QVERIFY(!m_b->blocca(lockDeadline, 1));
        m_a->sblocca(QStringLiteral("1"));
        QVERIFY(!m_a->tr_blocca.active());
        m_b->sblocca(QStringLiteral("1"));
        QVERIFY(m_b->blocca(lockDeadline, 1));
    }

    void changeFromOtherWorkstationFailsWhileLocked()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        try {
            m_b->run(QStringLiteral("DELETE FROM scadenze WHERE id=1"));
            QFAIL("the deletion should meet the lock");
        } catch (const fb::Error &e) {
            QVERIFY2(e.lockConflict(), qPrintable(e.text()));
        }
        m_a->sblocca(QStringLiteral("1"));
        // The failed change left tr_query active; the next change ends it.
        QVERIFY(m_b->tr_query.active());
        m_b->run(QStringLiteral("DELETE FROM scadenze WHERE id=1"));
        QVERIFY(!m_b->tr_query.active());
        m_a->open(m_a->t_sca, QStringLiteral("select * from scadenze"));
        QCOMPARE(m_a->t_sca.rowCount(), 0);
    }

    // The holder releases its row before it changes it: no conflict with itself.
    void holderChangesItsOwnRow()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        m_a->sblocca(QStringLiteral("1"));
        m_a->run(QStringLiteral("UPDATE scadenze SET scadenza='Consiglio d''istituto', letto=null WHERE id=1"));
        m_b->open(m_b->t_sca, QStringLiteral("select scadenza from scadenze"));
        QCOMPARE(m_b->t_sca.value(QStringLiteral("scadenza")).toString(), QStringLiteral("Consiglio d'istituto"));
    }

    // Without the release, the change in tr_query meets the slot's own lock.
    void holdingSlotBlocksOwnChange()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        QVERIFY_THROWS_EXCEPTION(fb::Error, m_a->run(QStringLiteral("UPDATE scadenze SET letto='S' WHERE id=1")));
    }

    void sbloccaOnFreeSlotAndTwice_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::newRow("1") << "1";
        QTest::newRow("2") << "2";
        QTest::newRow("3") << "3";
        QTest::newRow("unknown") << "4";
        QTest::newRow("empty") << "";
    }

    void sbloccaOnFreeSlotAndTwice()
    {
        QFETCH(QString, slot);
        m_a->sblocca(slot);
        m_a->sblocca(slot);
        QVERIFY(!m_a->tr_blocca.active());
        QVERIFY(!m_a->tr_blocca2.active());
        QVERIFY(!m_a->tr_blocca3.active());
    }

    void otherSlotsReleaseTheirOwn()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        m_a->tr_blocca2.start();
        m_a->sblocca(QStringLiteral("2"));
        QVERIFY(!m_a->tr_blocca2.active());
        QVERIFY(m_a->tr_blocca.active());
        QVERIFY(!m_b->blocca(lockDeadline, 1));
    }

    void lockOnMissingRowHoldsNothing()
    {
        // The update finds no row: nothing is held, nothing fails.
        QVERIFY(m_a->blocca(lockDeadline, 99));
        QVERIFY(m_b->blocca(lockDeadline, 1));
    }

    // Ending the program ends every transaction first, whatever they hold.
    // The connection of a workstation that holds a row goes away: the rollback
    // fails, the slot is free all the same, and once connected again the
    // next lock works.
    void deadSlotIsReleased()
    {
        QVERIFY(m_a->blocca(lockDeadline, 1));
        m_a->open(m_a->t_ente, QStringLiteral("select current_connection as id from rdb$database"));
        const QString id = m_a->t_ente.value(QStringLiteral("id")).toString();
        m_b->run(QStringLiteral("DELETE FROM mon$attachments WHERE mon$attachment_id=") + id);
        int lost = 0;
        m_a->connectionLost = [&] { ++lost; };
        m_a->sblocca(QStringLiteral("1"));
        QVERIFY(!m_a->tr_blocca.active());
        // The loss is taken up at once, as at any other read: the workstation reconnects.
        QCOMPARE(lost, 1);
        QVERIFY(!m_a->connected());
        m_a->connect();
        QVERIFY(m_a->blocca(lockDeadline, 1));
        QVERIFY(!m_b->blocca(lockDeadline, 1));
    }

    void disconnectAfterWork()
    {
        m_a->open(m_a->t_sca_timer, QStringLiteral("select * from scadenze"));
        m_a->open(m_a->t_sms, QStringLiteral("select * from messaggi"));
        QVERIFY(m_a->blocca(lockDeadline, 1));
        m_a->tr_blocca2.start();
        QVERIFY_THROWS_EXCEPTION(fb::Error, m_a->run(QStringLiteral("UPDATE nessuna SET x=1")));
        QVERIFY(m_a->tr_query.active());
        m_a->disconnect();
        QVERIFY(!m_a->connected());
        QVERIFY(m_b->blocca(lockDeadline, 1));
    }

    // No connection is not another workstation's lock: the page gets the
    // not-connected warning, not "Record bloccato da un altro utente!".
    void lockWithoutConnectionFails()
    {
        Tdm dm;
        QVERIFY_THROWS_EXCEPTION(NotConnected, dm.blocca(lockDeadline, 1));
        QVERIFY(!dm.tr_blocca.active());
    }
};

QTEST_GUILESS_MAIN(TestLocks)
#include "test_locks.moc"
