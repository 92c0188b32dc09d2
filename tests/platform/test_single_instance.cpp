#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

using namespace velmora;

namespace {

constexpr int startLimitMs = 10000;

// A copy of the program in another process (si_holder), killed at the end.
class Holder {
public:
    explicit Holder(const QString &programPath, const QStringList &more = {})
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(SI_HOLDER_PATH), QStringList{programPath} + more);
    }
    ~Holder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    Holder(const Holder &) = delete;
    Holder &operator=(const Holder &) = delete;

    // Everything the holder printed so far.
    QByteArray output()
    {
        m_output += m_process.readAllStandardOutput();
        return m_output;
    }
    qsizetype count(const QByteArray &word) { return output().count(word + '\n'); }
    // Like a crash: no chance to clean up.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_output;
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void nameFor_data();
    void nameFor();
    void secondCopyIsRefused_data();
    void secondCopyIsRefused();
    void otherFolderIsNotRefused();
    void endedCopyFreesTheName();
    void acrossProcesses();
    void staleNameAfterCrash();
    void simultaneousStarts();
    void onePerSession();

private:
    QString programPath() const { return m_dir.filePath(QStringLiteral("Velmora")); }
    QString socketFile() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/'
               + SingleInstance::nameFor(programPath());
    }

    QTemporaryDir m_dir;
};

void TestSingleInstance::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(SI_HOLDER_PATH)));
}

void TestSingleInstance::cleanup()
{
    // A killed holder leaves its socket file; the next test starts clean.
    QFile::remove(socketFile());
}

void TestSingleInstance::nameFor_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("unix path") << "/opt/Velmora/velmora" << "optVelmoravelmora";
    QTest::newRow("windows path") << "C:\\Programs\\app.exe" << "C:Programsapp.exe";
    QTest::newRow("mixed, doubled") << "/a//b\\\\c" << "abc";
    QTest::newRow("blanks stay") << "/home/Segreteria scuola/velmora" << "homeSegreteria scuolavelmora";
}

void TestSingleInstance::nameFor()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(SingleInstance::nameFor(path), name);
}

void TestSingleInstance::secondCopyIsRefused_data()
{
    QTest::addColumn<QString>("tail");
    QTest::newRow("short path") << "velmora";
    // Too long for a socket path: the name is hashed and still identifies.
    QTest::newRow("long path") << QString(150, u'x') + "/velmora";
}

void TestSingleInstance::secondCopyIsRefused()
{
    QFETCH(QString, tail);
    const QString path = m_dir.filePath(tail);

    SingleInstance first(path);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    QVERIFY(!first.anotherRunning());

    SingleInstance second(path);
    QSignalSpy secondRaised(&second, &SingleInstance::raiseRequested);
    QVERIFY(second.anotherRunning());
    QTRY_COMPARE(raised.size(), 1);

    SingleInstance third(path);
    QVERIFY(third.anotherRunning());
    QTRY_COMPARE(raised.size(), 2);
    QCOMPARE(secondRaised.size(), 0);
}

void TestSingleInstance::otherFolderIsNotRefused()
{
    SingleInstance first(programPath());
    QVERIFY(!first.anotherRunning());
    SingleInstance elsewhere(m_dir.filePath(QStringLiteral("altra/Velmora")));
    QVERIFY(!elsewhere.anotherRunning());
}

void TestSingleInstance::endedCopyFreesTheName()
{
    {
        SingleInstance first(programPath());
        QVERIFY(!first.anotherRunning());
    }
    QVERIFY(!QFile::exists(socketFile()));
    SingleInstance next(programPath());
    QVERIFY(!next.anotherRunning());
}

void TestSingleInstance::acrossProcesses()
{
    Holder holder(programPath());
    QTRY_COMPARE_WITH_TIMEOUT(holder.count("registered"), 1, startLimitMs);

    SingleInstance here(programPath());
    QVERIFY(here.anotherRunning());
    QTRY_COMPARE(holder.count("raised"), 1);
    QCOMPARE(holder.process().state(), QProcess::Running); // the running copy goes on
}

void TestSingleInstance::staleNameAfterCrash()
{
    {
        Holder crashed(programPath());
        QTRY_COMPARE_WITH_TIMEOUT(crashed.count("registered"), 1, startLimitMs);
        crashed.kill();
    }
    QVERIFY2(QFile::exists(socketFile()), "a crashed copy leaves its socket file behind");

    SingleInstance next(programPath());
    QSignalSpy raised(&next, &SingleInstance::raiseRequested);
    QVERIFY(!next.anotherRunning());
    SingleInstance third(programPath());
    QVERIFY(third.anotherRunning());
    QTRY_COMPARE(raised.size(), 1);
}

void TestSingleInstance::simultaneousStarts()
{
    constexpr int copies = 4;
    // All check at one instant, well after every process has started.
    const QString startAt = QString::number(QDateTime::currentMSecsSinceEpoch() + 1000);
    std::vector<std::unique_ptr<Holder>> holders;
    for (int i = 0; i < copies; ++i)
        holders.push_back(std::make_unique<Holder>(programPath(), QStringList{startAt}));

    // Every refused copy ends with 2; the one that registered keeps running.
    const auto settled = [&] {
        int refused = 0;
        for (const auto &h : holders)
            refused += h->process().state() == QProcess::NotRunning && h->process().exitCode() == 2;
        return refused;
    };
    QTRY_COMPARE_WITH_TIMEOUT(settled(), copies - 1, startLimitMs);

    int registered = 0;
    for (const auto &h : holders) {
        if (h->process().state() == QProcess::Running) {
            ++registered;
            QTRY_COMPARE(h->count("registered"), 1);
            QTRY_COMPARE(h->count("raised"), copies - 1);
        } else {
            QCOMPARE(h->count("refused"), 1);
        }
    }
    QCOMPARE(registered, 1);
}

// Two users on one machine: each session has its own runtime folder, and a
// copy running in one does not refuse a start in the other.
void TestSingleInstance::onePerSession()
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const auto restore = qScopeGuard([&] {
        if (saved.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", saved);
    });
    QTemporaryDir first;
    QTemporaryDir second;
    qputenv("XDG_RUNTIME_DIR", first.path().toLocal8Bit());
    SingleInstance firstUser(programPath());
    QVERIFY(!firstUser.anotherRunning());
    QVERIFY(QFile::exists(first.filePath(SingleInstance::nameFor(programPath()))));

    qputenv("XDG_RUNTIME_DIR", second.path().toLocal8Bit());
    SingleInstance secondUser(programPath());
    QSignalSpy raised(&firstUser, &SingleInstance::raiseRequested);
    QVERIFY(!secondUser.anotherRunning());
    SingleInstance againSecond(programPath());
    QVERIFY(againSecond.anotherRunning());

    qputenv("XDG_RUNTIME_DIR", first.path().toLocal8Bit());
    SingleInstance againFirst(programPath());
    QVERIFY(againFirst.anotherRunning());
    QTRY_COMPARE(raised.size(), 1);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
