#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

class TestPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void caselessPath_data();
    void caselessPath();
    void exactSpellingWins();
    void driveRoot_data();
    void driveRoot();
    void driveRootUnset();
    void velmoraPathUnderRoot();

private:
    QTemporaryDir m_root;
    QByteArray m_savedRoot;
    bool m_hadRoot = false;
};

void TestPaths::init()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("Velmora/Sys")));
    QFile cnt(m_root.filePath(QStringLiteral("Velmora/Sys/velmora.cnt")));
    QVERIFY(cnt.open(QIODevice::WriteOnly));
    m_hadRoot = qEnvironmentVariableIsSet("VELMORA_ROOT");
    m_savedRoot = qgetenv("VELMORA_ROOT");
}

void TestPaths::cleanup()
{
    if (m_hadRoot)
        qputenv("VELMORA_ROOT", m_savedRoot);
    else
        qunsetenv("VELMORA_ROOT");
}

void TestPaths::caselessPath_data()
{
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every part exists") << QStringList{"velmora", "SYS", "Velmora.CNT"}
                                       << "/Velmora/Sys/velmora.cnt";
    QTest::newRow("same spelling") << QStringList{"Velmora", "Sys", "velmora.cnt"}
                                   << "/Velmora/Sys/velmora.cnt";
    QTest::newRow("missing file") << QStringList{"VELMORA", "sys", "Nuovo.TXT"}
                                  << "/Velmora/Sys/Nuovo.TXT";
    QTest::newRow("missing folder keeps the rest") << QStringList{"velmora", "Database", "SYS"}
                                                   << "/Velmora/Database/SYS";
    QTest::newRow("nothing exists") << QStringList{"Altro", "sys"} << "/Altro/sys";
    QTest::newRow("no parts") << QStringList{} << "";
}

void TestPaths::caselessPath()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, expected);
    QCOMPARE(velmora::caselessPath(m_root.path(), parts), m_root.path() + expected);
    // A root given with its trailing '/' gives the same path.
    if (!parts.isEmpty())
        QCOMPARE(velmora::caselessPath(m_root.path() + u'/', parts), m_root.path() + expected);
}

void TestPaths::exactSpellingWins()
{
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("Dati")));
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("DATI")));
    QCOMPARE(velmora::caselessPath(m_root.path(), {"DATI"}), m_root.path() + "/DATI");
    QCOMPARE(velmora::caselessPath(m_root.path(), {"Dati"}), m_root.path() + "/Dati");
}

void TestPaths::driveRoot_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("expected");
    QTest::newRow("without slash") << "/srv/scuola" << "/srv/scuola/";
    QTest::newRow("with slash") << "/srv/scuola/" << "/srv/scuola/";
    QTest::newRow("file system root") << "/" << "/";
}

void TestPaths::driveRoot()
{
    QFETCH(QString, variable);
    QFETCH(QString, expected);
    qputenv("VELMORA_ROOT", variable.toUtf8());
    QCOMPARE(velmora::driveRoot(), expected);
}

void TestPaths::driveRootUnset()
{
    qunsetenv("VELMORA_ROOT");
    QCOMPARE(velmora::driveRoot(), QDir::homePath() + u'/');
    qputenv("VELMORA_ROOT", "");
    QCOMPARE(velmora::driveRoot(), QDir::homePath() + u'/');
}

void TestPaths::velmoraPathUnderRoot()
{
    qputenv("VELMORA_ROOT", m_root.path().toUtf8());
    QCOMPARE(velmora::velmoraPath({"sys", "VELMORA.cnt"}), m_root.path() + "/Velmora/Sys/velmora.cnt");
    QCOMPARE(velmora::velmoraPath({"Backup"}), m_root.path() + "/Velmora/Backup");
}

QTEST_GUILESS_MAIN(TestPaths)
#include "test_paths.moc"
