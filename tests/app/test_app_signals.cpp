// SIGTERM reaches the program at any moment of its start and of its
// connection attempts: it always ends, soon, with status 0.
#include "db/Schema.h"
#include "support/Servers.h"
#include "support/TcpProxy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// The longest a connection attempt may hold the program, and then some.
constexpr int endMs = 5000;

// One copy of the program with a drive root, a session configuration and a
// runtime folder of its own, so that several run side by side.
struct Copy {
    Copy(const QByteArray &connection, int terminateAfterMs) : terminateAfter(terminateAfterMs)
    {
        const QString sys = dir.filePath(QStringLiteral("Velmora/Sys"));
        QDir().mkpath(sys);
        QDir().mkpath(dir.filePath(QStringLiteral("Velmora/Database")));
        QDir().mkpath(dir.filePath(QStringLiteral("config")));
        QDir().mkpath(dir.filePath(QStringLiteral("runtime")));
        QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile cnt(sys + QStringLiteral("/velmora.cnt"));
        cnt.open(QIODevice::WriteOnly);
        cnt.write(QByteArray(connection).replace("@ROOT@", dir.path().toUtf8()) + '\n');
        cnt.close();
        if (!connection.contains(':'))
            velmora::createDatabase(dir.filePath(QStringLiteral("Velmora/Database/Velmora.FDB")));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VELMORA_ROOT"), dir.path() + QLatin1Char('/'));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.setProgram(QStringLiteral(VELMORA_PROGRAM));
    }

    QTemporaryDir dir;
    QProcess process;
    int terminateAfter;
    QElapsedTimer sinceTerminate;
};

} // namespace

class TestSignals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void terminateAtAnyMoment();
    void terminateDuringHungRoundTrip();
};

// Copies side by side, each told to end at another moment (from one second
// on: before that the system may still be loading the program's libraries,
// and no code of the program runs yet): during the splash
// screen, while the windows are made, at the first connection (a database
// file opened through the embedded engine, whose client library has a
// SIGTERM handler of its own), after it,
// and during attempts against a server that accepts and never answers.
void TestSignals::terminateAtAnyMoment()
{
    const velmora::test::SilentListener silent;
    const QByteArray embedded = "@ROOT@/Velmora/Database/Velmora.FDB";
    const QByteArray hanging = QByteArray(velmora::test::listenHost) + '/' + QByteArray::number(silent.port())
                               + ":/srv/Velmora/Database/Velmora.FDB";
    std::vector<std::unique_ptr<Copy>> copies;
    for (const int ms : {1000, 3100, 4300, 6500})
        copies.push_back(std::make_unique<Copy>(embedded, ms));
    for (const int ms : {5200, 7000})
        copies.push_back(std::make_unique<Copy>(hanging, ms));

    for (const auto &c : copies) {
        c->process.start();
        QVERIFY(c->process.waitForStarted());
        QTimer::singleShot(c->terminateAfter, &c->process, [copy = c.get()] {
            copy->sinceTerminate.start();
            copy->process.terminate();
        });
    }
    for (const auto &c : copies) {
        const QString which = QStringLiteral("SIGTERM after %1 ms").arg(c->terminateAfter);
        QTRY_VERIFY_WITH_TIMEOUT(c->sinceTerminate.isValid(), 15000);
        // It may have ended already, while the test waited for the next copy's moment.
        QVERIFY2(c->process.state() == QProcess::NotRunning || c->process.waitForFinished(endMs + 3000), qPrintable(which));
        qInfo("%s: ended %lld ms after it", qPrintable(which), static_cast<long long>(c->sinceTerminate.elapsed()));
        QVERIFY2(c->process.exitStatus() == QProcess::NormalExit, qPrintable(which));
        QCOMPARE(c->process.exitCode(), 0);
    }
}

// Connected, then the server hangs with a round trip of the program under
// way (the check made every ten seconds): the program cannot come back to its
// event loop to read SIGTERM, and still ends within a few seconds, with
// status 0.
void TestSignals::terminateDuringHungRoundTrip()
{
    if (!velmora::test::fbServerRunning())
        QSKIP("no Firebird server on loopback");
    velmora::test::TcpProxy proxy(3050);
    const QByteArray connection = QByteArray(velmora::test::listenHost) + '/' + QByteArray::number(proxy.port())
                                  + ":@ROOT@/Velmora/Database/Velmora.FDB";
    Copy c(connection, 0);
    const QString file = c.dir.filePath(QStringLiteral("Velmora/Database/Velmora.FDB"));
    velmora::createDatabase(file);
    // The server may run as another user.
    for (const char *folder : {"", "Velmora", "Velmora/Database"})
        velmora::test::shareWithServer(c.dir.filePath(QString::fromLatin1(folder)));

    c.process.start();
    QVERIFY(c.process.waitForStarted());
    // The autostart entry is written once the first connection is made.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(c.dir.filePath(QStringLiteral("config/autostart/Velmora.desktop"))), 20000);
    proxy.freeze();
    QTest::qWait(12000);   // the next check has begun, and waits for ever
    QCOMPARE(c.process.state(), QProcess::Running);
    c.sinceTerminate.start();
    c.process.terminate();
    QVERIFY(c.process.waitForFinished(endMs + 3000));
    qInfo("ended %lld ms after SIGTERM", static_cast<long long>(c.sinceTerminate.elapsed()));
    QCOMPARE(c.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(c.process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestSignals)
#include "test_app_signals.moc"
