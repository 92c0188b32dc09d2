#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

class TestAutostart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void entryPathFollowsXdg();
    void entryPathDefault_data();
    void entryPathDefault();
    void roundTrip_data();
    void roundTrip();
    void entryIsComplete();
    void blanksAreQuoted();
    void rewriteReplaces();
    void missingEntry();
    void entryWithoutCommand();
    void handWrittenEntry();
    void folderCannotBeMade();

private:
    QString configHome() const { return m_dir.filePath(QStringLiteral("config di prova")); }
    QByteArray entryContent() const;

    QTemporaryDir m_dir;
    QByteArray m_savedXdg;
    bool m_hadXdg = false;
};

void TestAutostart::init()
{
    QVERIFY(m_dir.isValid());
    m_hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_savedXdg = qgetenv("XDG_CONFIG_HOME");
    QDir(configHome()).removeRecursively();
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
}

void TestAutostart::cleanup()
{
    if (m_hadXdg)
        qputenv("XDG_CONFIG_HOME", m_savedXdg);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QByteArray TestAutostart::entryContent() const
{
    QFile file(autostart::entryPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestAutostart::entryPathFollowsXdg()
{
    QCOMPARE(autostart::entryPath(), configHome() + "/autostart/Velmora.desktop");
}

void TestAutostart::entryPathDefault_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("unset") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("relative") << true << QByteArray("config");
}

void TestAutostart::entryPathDefault()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, value);
    if (set)
        qputenv("XDG_CONFIG_HOME", value);
    else
        qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(autostart::entryPath(), QDir::homePath() + "/.config/autostart/Velmora.desktop");
}

void TestAutostart::roundTrip_data()
{
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain path") << "/opt/Velmora/velmora";
    QTest::newRow("switched off") << "/opt/Velmora/velmorae";
    QTest::newRow("blanks") << "/home/segreteria/Programmi scuola/Velmora 2/velmora";
    QTest::newRow("quotes and dollar") << "/srv/\"prova\" $HOME/`x`/velmora";
    QTest::newRow("backslashes") << "/srv/a\\b\\\\c/velmora";
    QTest::newRow("percent") << "/srv/100%/velmora %f";
    QTest::newRow("accents") << "/home/segreteria/Attività/velmora";
    QTest::newRow("empty") << "";
}

void TestAutostart::roundTrip()
{
    QFETCH(QString, exec);
    QVERIFY(autostart::write(exec));
    QCOMPARE(autostart::value(), std::optional<QString>(exec));
}

void TestAutostart::entryIsComplete()
{
    QVERIFY(autostart::write(QStringLiteral("/opt/Velmora/velmora")));
    QCOMPARE(entryContent(), QByteArray("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Velmora\n"
                                        "Exec=/opt/Velmora/velmora\n"
                                        "X-GNOME-Autostart-enabled=true\n"));
}

void TestAutostart::blanksAreQuoted()
{
    QVERIFY(autostart::write(QStringLiteral("/opt/Velmora 2/velmora")));
    QVERIFY(entryContent().contains("\nExec=\"/opt/Velmora 2/velmora\"\n"));
    QVERIFY(autostart::write(QStringLiteral("/opt/a b/$x\\y")));
    // '$' and '\' escaped in the quotes, then '\' doubled as a string value.
    QVERIFY(entryContent().contains("\nExec=\"/opt/a b/\\\\$x\\\\\\\\y\"\n"));
}

void TestAutostart::rewriteReplaces()
{
    QVERIFY(autostart::write(QStringLiteral("/opt/Velmora/velmora")));
    QVERIFY(autostart::write(QStringLiteral("/opt/Velmora/velmorae")));
    QCOMPARE(autostart::value(), std::optional<QString>(QStringLiteral("/opt/Velmora/velmorae")));
    QCOMPARE(entryContent().count("Exec="), 1);
}

void TestAutostart::missingEntry()
{
    QVERIFY(!QFile::exists(autostart::entryPath()));
    QCOMPARE(autostart::value(), std::nullopt);
}

void TestAutostart::entryWithoutCommand()
{
    QVERIFY(QDir().mkpath(configHome() + "/autostart"));
    QFile file(autostart::entryPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nName=Velmora\n[Other]\nExec=/altro\n");
    file.close();
    QCOMPARE(autostart::value(), std::nullopt);
}

void TestAutostart::handWrittenEntry()
{
    QVERIFY(QDir().mkpath(configHome() + "/autostart"));
    QFile file(autostart::entryPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# scritto a mano\r\n[Desktop Entry]\r\nExec[it]=/no\r\nExec = /opt/Velmora/velmora\r\n");
    file.close();
    QCOMPARE(autostart::value(), std::optional<QString>(QStringLiteral("/opt/Velmora/velmora")));
}

void TestAutostart::folderCannotBeMade()
{
    // A regular file where a folder should be: mkpath fails even for root.
    const QString blocker = m_dir.filePath(QStringLiteral("un file"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", (blocker + "/config").toUtf8());
    QVERIFY(!autostart::write(QStringLiteral("/opt/Velmora/velmora")));
    QCOMPARE(autostart::value(), std::nullopt);
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "test_autostart.moc"
