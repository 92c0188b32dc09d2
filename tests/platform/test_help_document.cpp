// Which user guide "Aiuto" opens: the office's own, else the installed one,
// else the build tree's; none when none exists.
#include "platform/HelpDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velmora;

class TestHelpDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstThatExists_data();
    void firstThatExists();

private:
    void put(const QString &relative) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_savedRoot;
    bool m_hadRoot = false;
};

void TestHelpDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_hadRoot = qEnvironmentVariableIsSet("VELMORA_ROOT");
    m_savedRoot = qgetenv("VELMORA_ROOT");
    qputenv("VELMORA_ROOT", m_dir->filePath(QStringLiteral("home")).toUtf8());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("prefix/bin")));
}

void TestHelpDocument::cleanup()
{
    if (m_hadRoot)
        qputenv("VELMORA_ROOT", m_savedRoot);
    else
        qunsetenv("VELMORA_ROOT");
}

void TestHelpDocument::put(const QString &relative) const
{
    const QString path = m_dir->filePath(relative);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

void TestHelpDocument::firstThatExists_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");

    const QString office = QStringLiteral("home/Velmora/Help.pdf");
    const QString installed = QStringLiteral("prefix/share/velmora/Help.pdf");
    const QString built = QStringLiteral("prefix/bin/Help.pdf");
    QTest::newRow("all three: the office's own") << QStringList{office, installed, built} << office;
    QTest::newRow("office's in another spelling") << QStringList{QStringLiteral("home/VELMORA/help.PDF"), built}
                                                  << QStringLiteral("home/VELMORA/help.PDF");
    QTest::newRow("installed and built: installed") << QStringList{installed, built} << installed;
    QTest::newRow("built only") << QStringList{built} << built;
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("a folder named so is no document")
        << QStringList{QStringLiteral("home/Velmora/Help.pdf/x"), built} << built;
}

void TestHelpDocument::firstThatExists()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    for (const QString &relative : present)
        put(relative);

    const QString found = helpDocument(m_dir->filePath(QStringLiteral("prefix/bin")));
    QCOMPARE(found, expected.isEmpty() ? QString() : m_dir->filePath(expected));
}

QTEST_GUILESS_MAIN(TestHelpDocument)
#include "test_help_document.moc"
