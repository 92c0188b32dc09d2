// Errors carry the server's text and codes: a conflict is told from the rest.
#include "Servers.h"
#include "TempDatabase.h"
#include "fb/DeadPeer.h"
#include "fb/Error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

using namespace velmora;

class TestFbErrors : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void syntaxErrorIsNoConflict()
    {
        test::TempDatabase db;
        const auto dm = db.connect(QStringLiteral("10.0.0.1"));
        try {
            dm->run(QStringLiteral("UPDATE nessuna SET x=1"));
            QFAIL("the statement should fail");
        } catch (const fb::Error &e) {
            QVERIFY(!e.lockConflict());
            QVERIFY(e.text().contains(QStringLiteral("NESSUNA")));
            QVERIFY(!e.codes().isEmpty());
        }
    }

    void rowConflictFailsAtOnce()
    {
        test::TempDatabase db;
        db.exec({QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Anna', '10.0.0.1')")});
        const auto a = db.connect(QStringLiteral("10.0.0.1"));
        const auto b = db.connect(QStringLiteral("10.0.0.2"));
        QVERIFY(a->blocca(QStringLiteral("UPDATE client SET id=id WHERE ID="), 1));
        QElapsedTimer t;
        t.start();
        try {
            b->run(QStringLiteral("UPDATE client SET utente='Bea' WHERE id=1"));
            QFAIL("the change should meet the lock");
        } catch (const fb::Error &e) {
            QVERIFY2(e.lockConflict(), qPrintable(e.text()));
        }
        qInfo("conflict reported after %lld ms", static_cast<long long>(t.elapsed()));
    }

    void unreachableServerIsNetworkError()
    {
        Tdm dm;
        // Port 1 on loopback: nobody listens, the refusal comes at once.
        dm.databaseName = QStringLiteral("127.0.0.1/1:/nessuno/Velmora.FDB");
        try {
            dm.connect();
            QFAIL("nobody should answer");
        } catch (const fb::Error &e) {
            QVERIFY2(e.networkError(), qPrintable(e.text()));
            QVERIFY(!dm.connected());
        }
    }

    // Port 3059: no server answers there, whether or not one runs on 3050.
    void localhostFallsBackToTheFile()
    {
        test::TempDatabase db;
        const auto dm = db.connect(QStringLiteral("10.0.0.1"), QStringLiteral("localhost/3059:") + db.file());
        QVERIFY(dm->connected());
        dm->open(dm->t_ente, QStringLiteral("select * from ente"));
        QCOMPARE(dm->t_ente.rowCount(), 1);
    }

    void localhostWithoutFileFails()
    {
        Tdm dm;
        dm.databaseName = QStringLiteral("localhost/3059:/nessuno/Velmora.FDB");
        QVERIFY_THROWS_EXCEPTION(fb::Error, dm.connect());
        QVERIFY(!dm.connected());
    }

    // A server that goes silent (switched off, a cable pulled) does not hold a
    // statement for the system's quarter of an hour: the attachment's own
    // connection carries the bounds, found by its server's port.
    void deadPeerBounded()
    {
        const QString host = test::fbServerAddress();
        if (host.isEmpty())
            QSKIP("no Firebird server on loopback");
        test::TempDatabase db;
        db.shareWithServer();
        const auto dm = db.connect(QStringLiteral("10.0.0.1"), host + QLatin1Char(':') + db.file());
        QList<int> bounded;
        for (const QString &name : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System)) {
            const int fd = name.toInt();
            sockaddr_in peer{};
            socklen_t length = sizeof peer;
            if (::getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &length) != 0 || peer.sin_family != AF_INET
                || ntohs(peer.sin_port) != 3050)
                continue;
            int keepAlive = 0;
            unsigned userTimeout = 0;
            length = sizeof keepAlive;
            ::getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &keepAlive, &length);
            length = sizeof userTimeout;
            ::getsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeout, &length);
            QCOMPARE(keepAlive, 1);
            QCOMPARE(userTimeout, unsigned(fb::deadPeerSeconds * 1000));
            bounded << fd;
        }
        QCOMPARE(bounded.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFbErrors)
#include "test_fb_errors.moc"
