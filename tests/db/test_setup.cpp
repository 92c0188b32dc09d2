// Where a workstation makes its new database, and where it does not.
#include "db/Schema.h"
#include "db/Setup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

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
};

QTEST_GUILESS_MAIN(TestSetup)
#include "test_setup.moc"
