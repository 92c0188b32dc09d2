// Where a workstation makes its new database, and where it does not.
#include "db/Schema.h"
#include "db/Setup.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

// What the box asks to check about a folder the system refused.
QString check(const QString &folder)
{
    return QStringLiteral("Controllare la cartella \"%1\" e i suoi permessi: l'utente che avvia il programma deve "
                          "poterci leggere e scrivere e, dove le cartelle di Velmora sono condivise con un gruppo, "
                          "farne parte (chi vi è appena stato aggiunto deve uscire dalla sessione e rientrare). "
                          "Controllare anche che il disco non sia pieno.")
        .arg(folder);
}

// A folder where nobody, root included, may make a file.
const QString systemFolder = QStringLiteral("/sys");

} // namespace

class TestSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createDatabaseIfMissing_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("existing");   // file already in Database/, empty: none
        QTest::addColumn<bool>("created");
        QTest::newRow("server workstation, first start") << "localhost" << "" << true;
        QTest::newRow("loopback address") << "127.0.0.1" << "" << true;
        QTest::newRow("another computer") << "192.0.2.200" << "" << false;
        QTest::newRow("already there") << "localhost" << "Velmora.FDB" << false;
        QTest::newRow("already there, other spelling") << "localhost" << "velmora.fdb" << false;
    }

    void createDatabaseIfMissing()
    {
        QFETCH(QString, server);
        QFETCH(QString, existing);
        QFETCH(bool, created);
        QTemporaryDir root;
        qputenv("VELMORA_ROOT", root.path().toUtf8());
        const QString folder = root.filePath(QStringLiteral("Velmora/Database"));
        if (!existing.isEmpty())
            createDatabase(folder + QLatin1Char('/') + existing);
        const QString connection = setup::connectionStringFor(server);
        QCOMPARE(connection, server + QLatin1Char(':') + folder + QStringLiteral("/")
                                 + (existing.isEmpty() ? QStringLiteral("Velmora.FDB") : existing));
        QCOMPARE(setup::createDatabaseIfMissing(server + QStringLiteral(":") + folder + QStringLiteral("/Velmora.FDB"),
                                                QStringLiteral("192.0.2.2")),
                 created);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), existing.isEmpty() && !created ? 0 : 1);
        qunsetenv("VELMORA_ROOT");
    }

    // The database's folder cannot be made: the box says which, what to
    // check, and the system's own words.
    void folderRefused()
    {
        QTemporaryDir root;
        QFile file(root.filePath(QStringLiteral("a file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString folder = root.filePath(QStringLiteral("a file/below/Velmora/Database"));
        try {
            setup::createDatabaseIfMissing(QStringLiteral("localhost:") + folder + QStringLiteral("/Velmora.FDB"),
                                           QStringLiteral("192.0.2.2"));
            QFAIL("the folder should be refused");
        } catch (const Error &e) {
            QCOMPARE(e.text(), QStringLiteral("Impossibile creare la cartella \"%1\".\n").arg(folder)
                                   + check(file.fileName()) + QStringLiteral("\nNot a directory"));
        }
    }

    // The connection file cannot be written where its folder is.
    void connectionFileRefused()
    {
        QTemporaryDir root;
        qputenv("VELMORA_ROOT", root.path().toUtf8());
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Velmora")));
        QVERIFY(QFile::link(systemFolder, root.filePath(QStringLiteral("Velmora/Sys"))));
        try {
            setup::writeConnection(QStringLiteral("localhost:/r/Velmora.FDB"));
            QFAIL("the file should be refused");
        } catch (const Error &e) {
            QCOMPARE(e.text(), QStringLiteral("Impossibile scrivere il file \"%1\".\n").arg(setup::connectionFile())
                                   + check(root.filePath(QStringLiteral("Velmora/Sys"))) + QStringLiteral("\nPermission denied"));
        }
        qunsetenv("VELMORA_ROOT");
    }
};

QTEST_GUILESS_MAIN(TestSetup)
#include "test_setup.moc"
