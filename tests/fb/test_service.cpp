// The service manager: a backup read to its end, the service's own error
// lines, and the ways of not reaching a server.
#include "Servers.h"
#include "TempDatabase.h"
#include "fb/Error.h"
#include "fb/Service.h"

#include <QFile>
#include <QtTest>

using namespace velmora;

namespace {

const std::atomic<bool> goOn{false};

fb::Service backupOf(const test::TempDatabase &db)
{
    fb::Service backup(fb::Service::Action::Backup);
    backup.DatabaseName = db.file();
    backup.BackupFile = db.folder() + QStringLiteral("/prova.copia");
    return backup;
}

} // namespace

class TestService : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void backupReadToEnd();
    void serviceErrorLines();
    void noServer_data();
    void noServer();
    void loginRefused();
};

void TestService::backupReadToEnd()
{
    test::TempDatabase db;
    const fb::Service backup = backupOf(db);
    QStringList handed;
    const QStringList lines = backup.run({}, Tdm::login(), [&](const QString &l) { handed << l; }, goOn);
    QCOMPARE(handed, lines);
    QVERIFY(lines.first().startsWith(QStringLiteral("gbak:readied database")));
    QVERIFY2(lines.last().startsWith(QStringLiteral("gbak:closing file, committing, and finishing")),
             qPrintable(lines.last()));
    QVERIFY(!lines.last().endsWith(QLatin1Char(' ')));
    QVERIFY(QFileInfo(backup.BackupFile).size() > 0);
}

// The service's failure carries its lines and its own error text.
void TestService::serviceErrorLines()
{
    test::TempDatabase db;
    fb::Service restore(fb::Service::Action::Restore);
    restore.BackupFile = db.folder() + QStringLiteral("/nota.copia");
    restore.DatabaseName = db.folder() + QStringLiteral("/nuovo.fdb");
    QFile note(restore.BackupFile);
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write("Appunti.\n");
    note.close();
    try {
        restore.run({}, Tdm::login(), {}, goOn);
        QFAIL("the restore should fail");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("gbak:opened file ") + restore.BackupFile), qPrintable(e.text()));
        QVERIFY2(e.text().contains(QStringLiteral("expected backup description record")), qPrintable(e.text()));
    }
}

void TestService::noServer_data()
{
    QTest::addColumn<bool>("embeddedWhenNoServer");
    QTest::newRow("server only") << false;
    QTest::newRow("engine inside the client") << true;
}

// Nobody listens on port 1: a network error at once, or the engine inside
// the client when the site allows it.
void TestService::noServer()
{
    QFETCH(bool, embeddedWhenNoServer);
    test::TempDatabase db;
    const fb::Service backup = backupOf(db);
    const fb::ServiceSite site{QStringLiteral("127.0.0.1/1"), embeddedWhenNoServer};
    try {
        backup.run(site, Tdm::login(), {}, goOn);
        QVERIFY(embeddedWhenNoServer);
        QVERIFY(QFile::exists(backup.BackupFile));
    } catch (const fb::Error &e) {
        QVERIFY2(!embeddedWhenNoServer, qPrintable(e.text()));
        QVERIFY(e.networkError());
    }
}

void TestService::loginRefused()
{
    const QString host = test::fbServerAddress();
    if (host.isEmpty())
        QSKIP("no Firebird server on loopback");
    test::TempDatabase db;
    const fb::Service backup = backupOf(db);
    try {
        backup.run({host, false}, {QStringLiteral("SYSDBA"), QStringLiteral("sbagliata")}, {}, goOn);
        QFAIL("the server should refuse the login");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains(QStringLiteral("password"), Qt::CaseInsensitive), qPrintable(e.text()));
    }
    QVERIFY(!QFile::exists(backup.BackupFile));
}

QTEST_GUILESS_MAIN(TestService)
#include "test_service.moc"
