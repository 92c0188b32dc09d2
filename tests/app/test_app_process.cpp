// The program as separate processes: a second copy from the same file is
// refused, a copy from another folder is not, and the end of the session
// ends a running copy cleanly.
#include "TempRoot.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Past the three seconds of the splash screen, the running copy handles the
// end of the session; a copy stopped at the refusal box never gets there and
// is killed by the signal.
constexpr int settleMs = 6000;
constexpr int endMs = 10000;

} // namespace

class TestProcess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copies();

private:
    std::unique_ptr<QProcess> start(const QString &program) const;
    QString copyProgram(const QString &folder) const;

    QTemporaryDir m_programs;
};

QString TestProcess::copyProgram(const QString &folder) const
{
    const QString path = m_programs.filePath(folder + QStringLiteral("/velmora"));
    QDir().mkpath(m_programs.filePath(folder));
    if (!QFile::exists(path))
        QFile::copy(QStringLiteral(VELMORA_PROGRAM), path);
    return path;
}

std::unique_ptr<QProcess> TestProcess::start(const QString &program) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(env);
    process->setProgram(program);
    process->start();
    return process;
}

void TestProcess::copies()
{
    const velmora::test::TempRoot root;
    root.writeConnectionFile("127.0.0.2/1:/nowhere.fdb\n");
    const QString here = copyProgram(QStringLiteral("here"));
    const QString elsewhere = copyProgram(QStringLiteral("elsewhere"));

    const auto first = start(here);
    QVERIFY(first->waitForStarted());
    QTest::qWait(settleMs);
    QCOMPARE(first->state(), QProcess::Running);

    const auto second = start(here);
    const auto other = start(elsewhere);
    QVERIFY(second->waitForStarted());
    QVERIFY(other->waitForStarted());
    QTest::qWait(settleMs);
    QCOMPARE(second->state(), QProcess::Running);
    QCOMPARE(other->state(), QProcess::Running);

    second->terminate();
    other->terminate();
    QVERIFY(second->waitForFinished(endMs));
    QVERIFY(other->waitForFinished(endMs));
    QCOMPARE(second->exitStatus(), QProcess::CrashExit);
    QCOMPARE(other->exitStatus(), QProcess::NormalExit);
    QCOMPARE(other->exitCode(), 0);

    QCOMPARE(first->state(), QProcess::Running);
    first->terminate();
    QVERIFY(first->waitForFinished(endMs));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestProcess)
#include "test_app_process.moc"
