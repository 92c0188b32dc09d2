// Two workstations in two processes through the Firebird server on loopback.
#include "Servers.h"
#include "TempDatabase.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace velmora;

class TestLocksServer : public QObject {
    Q_OBJECT

    static bool waitLine(QProcess &p, const QByteArray &line)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            if (p.canReadLine())
                return p.readLine().trimmed() == line;
            p.waitForReadyRead(500);
        }
        return false;
    }

private Q_SLOTS:
    void lockAcrossProcesses()
    {
        const QString host = test::fbServerAddress();
        if (host.isEmpty()) {
            if (qEnvironmentVariableIsSet("VELMORA_FBSERVER"))
                QFAIL("the test script started a server, but none answers");
            QSKIP("no Firebird server on loopback");
        }
        test::TempDatabase db;
        db.exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('01/10/2027', '08.00', 'Consiglio', 'tutti')")});
        // The server opens the file for both workstations.
        db.shareWithServer();
        const QString connection = host + QLatin1Char(':') + db.file();

        QProcess holder;
        holder.start(QStringLiteral(LOCK_HOLDER), {connection, QStringLiteral("1")});
        QVERIFY(holder.waitForStarted());
        QVERIFY2(waitLine(holder, "locked"), holder.readAllStandardError().constData());

        const auto dm = db.connect(QStringLiteral("10.0.0.1"), connection);
        QElapsedTimer t;
        t.start();
        QVERIFY(!dm->blocca(QStringLiteral("UPDATE scadenze SET id=id WHERE ID="), 1));
        qInfo("refused after %lld ms", static_cast<long long>(t.elapsed()));
        dm->sblocca(QStringLiteral("1"));

        holder.write("\n");
        QVERIFY(waitLine(holder, "released"));
        QVERIFY(dm->blocca(QStringLiteral("UPDATE scadenze SET id=id WHERE ID="), 1));
        dm->sblocca(QStringLiteral("1"));

        holder.write("\n");
        QVERIFY(holder.waitForFinished(20000));
        QCOMPARE(holder.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLocksServer)
#include "test_locks_server.moc"
