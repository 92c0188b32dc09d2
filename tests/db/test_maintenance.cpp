// Copy, restore and purge of the database, on real databases: through the
// engine inside the client, and through the loopback server where another
// workstation holds the database.
#include "Servers.h"
#include "TempDatabase.h"
#include "db/Maintenance.h"
#include "fb/Error.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QtTest>

using namespace velmora;

namespace {

// Runs the job here, collecting its lines.
struct DirectRunner {
    QStringList lines;
    maintenance::Runner runner()
    {
        return [this](const maintenance::Job &job) {
            std::atomic<bool> stop{false};
            job([this](const QString &line) { lines << line; }, stop);
            return true;
        };
    }
};

const QString lockStatement = QStringLiteral("UPDATE scadenze SET id=id WHERE ID=");

QString insert(const QString &date, const QString &text)
{
    return QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('%1', '08.00', '%2', 'tutti')")
        .arg(date, QString(text).replace(QLatin1Char('\''), QLatin1String("''")));
}

// "mm/dd/yyyy|text" of every deadline, in date and text order.
QStringList rows(Tdm &dm)
{
    dm.open(dm.t_sca, QStringLiteral("select data, scadenza from scadenze order by data, scadenza"));
    QStringList out;
    for (dm.t_sca.first(); !dm.t_sca.eof(); dm.t_sca.next())
        out << dm.t_sca.value(QStringLiteral("data")).toDate().toString(QStringLiteral("MM/dd/yyyy")) + QLatin1Char('|')
                   + dm.t_sca.value(QStringLiteral("scadenza")).toString();
    return out;
}

QStringList rows(const test::TempDatabase &db)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    return rows(*dm);
}

QString inUse(const QString &database)
{
    return QStringLiteral("Il database \"%1\" è aperto da un'altra postazione o da un altro programma: "
                          "chiudere Velmora sulle altre postazioni e riprovare.")
        .arg(database);
}

} // namespace

class TestMaintenance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copyName();
    void site_data();
    void site();
    void roundTrip();
    void badCopy_data();
    void badCopy();
    void restoreWhileHeld();
    void restoreLeavesDatabase_data();
    void restoreLeavesDatabase();
    void restoredFileShared();
    void typedDate_data();
    void typedDate();
    void purgeBefore_data();
    void purgeBefore();
    void purgeWord_data();
    void purgeWord();
    void purgeReleasesLock_data();
    void purgeReleasesLock();
};

void TestMaintenance::copyName()
{
    QCOMPARE(maintenance::copyName(QDate(2024, 12, 9)), QStringLiteral("09-12-2024.copia"));
}

void TestMaintenance::site_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("embeddedWhenNoServer");
    QTest::newRow("bare path") << "/r/Velmora/Database/Velmora.FDB" << "" << false;
    QTest::newRow("localhost") << "localhost:/r/Velmora/Database/Velmora.FDB" << "localhost" << true;
    QTest::newRow("port") << "127.0.0.1/3051:/r/Velmora.FDB" << "127.0.0.1/3051" << true;
    QTest::newRow("address") << "192.168.1.5:/r/Velmora.FDB" << "192.168.1.5" << false;
}

void TestMaintenance::site()
{
    QFETCH(QString, connection);
    QFETCH(QString, host);
    QFETCH(bool, embeddedWhenNoServer);
    const fb::ServiceSite s = maintenance::siteOf(connection);
    QCOMPARE(s.host, host);
    QCOMPARE(s.embeddedWhenNoServer, embeddedWhenNoServer);
}

// Copy, change the rows, restore: the rows are those of the copy.
void TestMaintenance::roundTrip()
{
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("03/01/2024"), QStringLiteral("Collegio docenti")),
             insert(QStringLiteral("03/02/2024"), QStringLiteral("Scrutini"))});
    const QStringList before = rows(db);
    const QString copy = db.folder() + QStringLiteral("/09-12-2024.copia");
    {
        const auto dm = db.connect(QStringLiteral("10.0.0.7"));
        DirectRunner run;
        QVERIFY(maintenance::copy(*dm, db.file(), copy, run.runner()));
        QVERIFY(QFileInfo(copy).size() > 0);
        QVERIFY2(run.lines.size() > 5, qPrintable(run.lines.join(QLatin1Char('\n'))));
        QVERIFY(run.lines.join(QLatin1Char('\n')).contains(QLatin1String("SCADENZE"), Qt::CaseInsensitive));
        dm->run(QStringLiteral("DELETE FROM scadenze"));
        dm->run(insert(QStringLiteral("05/05/2025"), QStringLiteral("dopo la copia")));
        dm->disconnect();

        DirectRunner restore;
        QVERIFY(maintenance::restore(*dm, copy, db.file(), restore.runner()));
        QVERIFY(!QFile::exists(maintenance::scratchFile(db.file())));
    }
    QCOMPARE(rows(db), before);
}

void TestMaintenance::badCopy_data()
{
    QTest::addColumn<bool>("truncated");
    QTest::newRow("truncated copy") << true;
    QTest::newRow("text file") << false;
}

// A copy that cannot be restored leaves the database and its rows alone.
void TestMaintenance::badCopy()
{
    QFETCH(bool, truncated);
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("03/01/2024"), QStringLiteral("Collegio docenti"))});
    const QStringList before = rows(db);
    const auto dm = db.connect(QStringLiteral("10.0.0.7"));
    const QString copy = db.folder() + QStringLiteral("/guasta.copia");
    DirectRunner run;
    QVERIFY(maintenance::copy(*dm, db.file(), copy, run.runner()));
    QFile file(copy);
    if (truncated) {
        QVERIFY(file.resize(file.size() / 2));
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Questa non e' una copia.\n");
        file.close();
    }
    dm->disconnect();
    try {
        maintenance::restore(*dm, copy, db.file(), run.runner());
        QFAIL("the restore should fail");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().endsWith(truncated ? QStringLiteral("senza completare l'operazione.")
                                             : QStringLiteral("-Exiting before completion due to errors")),
                 qPrintable(e.text()));
    }
    QVERIFY(!QFile::exists(maintenance::scratchFile(db.file())));
    dm->connect();
    QCOMPARE(rows(*dm), before);
}

// Another workstation holds the database: the server refuses the restore
// and the database stays as it was.
void TestMaintenance::restoreWhileHeld()
{
    const QString host = test::fbServerAddress();
    if (host.isEmpty())
        QSKIP("no Firebird server on loopback");
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("03/01/2024"), QStringLiteral("Collegio docenti"))});
    db.shareWithServer();
    const QString connection = host + QLatin1Char(':') + db.file();
    const auto mine = db.connect(QStringLiteral("10.0.0.7"), connection);
    const auto other = db.connect(QStringLiteral("10.0.0.8"), connection);
    const QString copy = db.folder() + QStringLiteral("/copia.copia");
    DirectRunner run;
    QVERIFY(maintenance::copy(*mine, db.file(), copy, run.runner()));
    mine->run(insert(QStringLiteral("04/04/2024"), QStringLiteral("dopo la copia")));
    const QStringList before = rows(*mine);
    mine->disconnect();
    try {
        maintenance::restore(*mine, copy, db.file(), run.runner());
        QFAIL("the restore should be refused");
    } catch (const Error &e) {
        QCOMPARE(e.text(), inUse(db.file()));
    }
    QVERIFY(!QFile::exists(maintenance::scratchFile(db.file())));
    QCOMPARE(rows(*other), before);
    mine->connect();
    QCOMPARE(rows(*mine), before);
}

void TestMaintenance::restoreLeavesDatabase_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("quit once the copy was restored") << "quit";
    QTest::newRow("stopped while restoring") << "stop";
    QTest::newRow("database taken meanwhile") << "taken";
}

// The copy went, or was going, into the scratch file when the restore was
// given up or refused: the database keeps every row it had.
void TestMaintenance::restoreLeavesDatabase()
{
    QFETCH(QString, how);
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("03/01/2024"), QStringLiteral("Collegio docenti"))});
    const QString copy = db.folder() + QStringLiteral("/copia.copia");
    const auto dm = db.connect(QStringLiteral("10.0.0.7"));
    DirectRunner direct;
    QVERIFY(maintenance::copy(*dm, db.file(), copy, direct.runner()));
    dm->run(insert(QStringLiteral("04/04/2024"), QStringLiteral("dopo la copia")));
    const QStringList before = rows(*dm);
    dm->disconnect();

    // Another workstation that connects while the restore runs.
    std::unique_ptr<Tdm> other;
    QString stopped;
    const maintenance::Runner runner = [&](const maintenance::Job &job) {
        std::atomic<bool> stop{false};
        try {
            job([&](const QString &line) {
                if (how == QLatin1String("stop") && line.contains(QLatin1String("created database")))
                    stop = true;
            }, stop);
        } catch (const fb::Error &e) {
            stopped = e.text();
            return false;
        }
        if (how == QLatin1String("taken"))
            other = db.connect(QStringLiteral("10.0.0.8"));
        return how == QLatin1String("taken");
    };
    try {
        QVERIFY(!maintenance::restore(*dm, copy, db.file(), runner));
        QVERIFY(how != QLatin1String("taken"));
    } catch (const Error &e) {
        QCOMPARE(how, QStringLiteral("taken"));
        QCOMPARE(e.text(), inUse(db.file()));
    }
    QCOMPARE(stopped, how == QLatin1String("stop") ? QStringLiteral("Operazione interrotta.") : QString());
    QVERIFY(!QFile::exists(maintenance::scratchFile(db.file())));
    other.reset();
    QCOMPARE(rows(db), before);
}

// The restored database takes the place of the old one with its group and
// its permissions, so that the office's group keeps working on it.
void TestMaintenance::restoredFileShared()
{
    test::TempDatabase db;
    const QString copy = db.folder() + QStringLiteral("/copia.copia");
    DirectRunner run;
    {
        const auto dm = db.connect(QStringLiteral("10.0.0.7"));
        QVERIFY(maintenance::copy(*dm, db.file(), copy, run.runner()));
    }
    // A group other than this user's own that it may give its files: any, for root.
    gid_t office = ::getegid();
    gid_t groups[64];
    const int n = ::geteuid() == 0 ? 0 : ::getgroups(64, groups);
    if (::geteuid() == 0)
        office = ::getgrnam("daemon") ? ::getgrnam("daemon")->gr_gid : 1;
    for (int i = 0; i < n && office == ::getegid(); ++i)
        office = groups[i];
    const QByteArray file = QFile::encodeName(db.file());
    QCOMPARE(::chown(file.constData(), static_cast<uid_t>(-1), office), 0);
    QCOMPARE(::chmod(file.constData(), 0660), 0);

    Tdm dm;
    dm.databaseName = db.file();
    QVERIFY(maintenance::restore(dm, copy, db.file(), run.runner()));
    struct stat st {};
    QCOMPARE(::stat(file.constData(), &st), 0);
    QCOMPARE(st.st_gid, office);
    QCOMPARE(st.st_mode & 07777, mode_t(0660));
}

void TestMaintenance::typedDate_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::newRow("full") << "01/03/2024" << QDate(2024, 3, 1);
    QTest::newRow("no leading zeros") << "1/3/2024" << QDate(2024, 3, 1);
    QTest::newRow("blanks around") << " 29/02/2024 " << QDate(2024, 2, 29);
    QTest::newRow("no such day") << "30/02/2024" << QDate();
    QTest::newRow("two-digit year") << "01/03/24" << QDate();
    QTest::newRow("words") << "primo marzo" << QDate();
    QTest::newRow("dashes") << "01-03-2024" << QDate();
}

void TestMaintenance::typedDate()
{
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    const std::optional<QDate> got = maintenance::typedDate(typed);
    QCOMPARE(got.value_or(QDate()), date);
}

void TestMaintenance::purgeBefore_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("left");
    const QStringList march = {QStringLiteral("03/01/2024|primo marzo"), QStringLiteral("03/02/2024|due marzo")};
    QTest::newRow("01/03/2024") << "01/03/2024" << march;
    QTest::newRow("1/3/2024") << "1/3/2024" << march;
    QTest::newRow("no date: everything") << "" << QStringList();
}

// Up to 29 February goes, 1 March stays; without a date the table empties.
void TestMaintenance::purgeBefore()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, left);
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("02/28/2023"), QStringLiteral("anno prima")),
             insert(QStringLiteral("02/29/2024"), QStringLiteral("ventinove")),
             insert(QStringLiteral("03/01/2024"), QStringLiteral("primo marzo")),
             insert(QStringLiteral("03/02/2024"), QStringLiteral("due marzo"))});
    const auto dm = db.connect(QStringLiteral("10.0.0.7"));
    const QString mine = QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze WHERE ")
                         + dm->pcFilter() + QStringLiteral(" ORDER BY data,ora");
    dm->open(dm->t_sca, mine);
    dm->open(dm->t_sca_timer, mine);
    QCOMPARE(dm->t_sca.rowCount(), 4);
    maintenance::purgeBefore(*dm, typed.isEmpty() ? std::nullopt : maintenance::typedDate(typed));
    // The lists show the result at once; t_sca_gg had no statement and stays closed.
    QCOMPARE(dm->t_sca.rowCount(), left.size());
    QCOMPARE(dm->t_sca_timer.rowCount(), left.size());
    QCOMPARE(dm->t_sca.sql(), mine);
    QVERIFY(!dm->t_sca_gg.isOpen());
    QCOMPARE(rows(db), left);
}

void TestMaintenance::purgeWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("left");
    const QString closing = QStringLiteral("01/09/2024|Chiusura dell'anno");
    const QString meeting = QStringLiteral("01/10/2024|Riunione");
    const QString underscore = QStringLiteral("01/11/2024|Scrutinio 2_b");
    const QString letter = QStringLiteral("01/12/2024|Scrutinio 2ab");
    QTest::newRow("apostrophe") << "dell'anno" << QStringList{meeting, underscore, letter};
    QTest::newRow("capitals") << "RIUNIONE" << QStringList{closing, underscore, letter};
    // "_" stands for any one character: "2ab" goes with "2_b".
    QTest::newRow("underscore is any character") << "2_b" << QStringList{closing, meeting};
    QTest::newRow("underscore is exactly one") << "2__b" << QStringList{closing, meeting, underscore, letter};
    QTest::newRow("percent matches all") << "%" << QStringList();
}

void TestMaintenance::purgeWord()
{
    QFETCH(QString, word);
    QFETCH(QStringList, left);
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("01/09/2024"), QStringLiteral("Chiusura dell'anno")),
             insert(QStringLiteral("01/10/2024"), QStringLiteral("Riunione")),
             insert(QStringLiteral("01/11/2024"), QStringLiteral("Scrutinio 2_b")),
             insert(QStringLiteral("01/12/2024"), QStringLiteral("Scrutinio 2ab"))});
    const auto dm = db.connect(QStringLiteral("10.0.0.7"));
    maintenance::purgeWord(*dm, word);
    QCOMPARE(rows(db), left);
}

void TestMaintenance::purgeReleasesLock_data()
{
    QTest::addColumn<QString>("purge");
    QTest::newRow("by word") << "word";
    QTest::newRow("before a date") << "date";
    QTest::newRow("everything") << "all";
}

// The row this workstation holds for editing does not stop the purge.
void TestMaintenance::purgeReleasesLock()
{
    QFETCH(QString, purge);
    test::TempDatabase db;
    db.exec({insert(QStringLiteral("01/09/2024"), QStringLiteral("Riunione"))});
    const auto dm = db.connect(QStringLiteral("10.0.0.7"));
    QVERIFY(dm->blocca(lockStatement, 1));
    if (purge == QLatin1String("word"))
        maintenance::purgeWord(*dm, QStringLiteral("riunione"));
    else
        maintenance::purgeBefore(*dm, purge == QLatin1String("date") ? std::optional(QDate(2024, 2, 1)) : std::nullopt);
    QVERIFY(!dm->tr_blocca.active());
    QCOMPARE(rows(db), QStringList());
}

QTEST_GUILESS_MAIN(TestMaintenance)
#include "test_maintenance.moc"
