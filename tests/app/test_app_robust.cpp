// The workstation in the faults of an office: a data module that comes late,
// the session ending during the first questions or during an alarm sound, a
// server that accepts and never answers, a server that restarts under a
// running workstation, and a window on screen before the connection.
#include "MainWindow.h"
#include "alarms/Fmsg.h"
#include "alarms/Scan.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Texts.h"
#include "platform/ErrorReport.h"
#include "platform/NestedWait.h"
#include "platform/QuitRequest.h"
#include "support/RecordingSound.h"
#include "support/ScriptedDialogs.h"
#include "support/PrivateServer.h"
#include "support/Servers.h"
#include "support/SettableClock.h"
#include "support/TcpProxy.h"
#include "support/TempDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QtTest>

#include <csignal>
#include <optional>
#include <pthread.h>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

const QString key = QStringLiteral("10.0.0.7");
const QDate today(2026, 12, 10);
const QString notConnectedTip = QStringLiteral("Velmora - Database non connesso: riconnessione in corso...");

QString deadline(const char *time, const char *text)
{
    return QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('12/10/2026', '%1', '%2', 'tutti')")
        .arg(QLatin1String(time), QString::fromUtf8(text));
}

struct Workstation : test::MainWindow {
    explicit Workstation(const QString &connection) : MainWindow((connection + QLatin1Char('\n')).toUtf8(), key) {}
    ~Workstation()
    {
        QList<QPointer<Tfrm_msg>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *msg = qobject_cast<Tfrm_msg *>(w))
                windows << msg;
        for (const QPointer<Tfrm_msg> &w : windows)
            delete w.data();
    }


    test::RecordingSound sound;
};

// The texts of the alarm windows on screen.
QStringList alarms()
{
    QStringList texts;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *msg = qobject_cast<Tfrm_msg *>(w); msg && msg->isVisible())
            texts << msg->memo_scad_msg->toPlainText();
    texts.sort();
    return texts;
}

// A sound whose device never reports the end: it waits as the real one does.
class EndlessSound : public Sound {
public:
    EndlessSound() { setSound(this); }
    ~EndlessSound() override { setSound(nullptr); }
    EndlessSound(const EndlessSound &) = delete;
    EndlessSound &operator=(const EndlessSound &) = delete;
    void play(const QString &) override
    {
        ++started;
        NestedWait(3600 * 1000, QEventLoop::ExcludeUserInputEvents).until([] { return false; });
        endedByQuit = quitRequested();
    }
    int started = 0;
    bool endedByQuit = false;
};

// The first-start question answered by the end of the session: SIGTERM
// reaches the program while the box is open.
class SessionEndsAtQuestion : public Dialogs {
public:
    SessionEndsAtQuestion() { setDialogs(this); }
    ~SessionEndsAtQuestion() override { setDialogs(nullptr); }
    SessionEndsAtQuestion(const SessionEndsAtQuestion &) = delete;
    SessionEndsAtQuestion &operator=(const SessionEndsAtQuestion &) = delete;

    bool question(const QString &) override
    {
        ++questions;
        // To this thread, which holds SIGTERM for the event loop to read.
        ::pthread_kill(::pthread_self(), SIGTERM);
        // The box's own loop: it ends when the program is told to end.
        NestedWait(10000).pause();
        return false;
    }
    // The program's boxes do not open once it is told to end; count any
    // that would.
    void warning(const QString &) override { other(); }
    void information(const QString &) override { other(); }
    void error(const QString &) override { other(); }
    void plain(const QString &) override { other(); }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        other();
        return std::nullopt;
    }
    void other()
    {
        if (!quitRequested())
            ++others;
    }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }

    int questions = 0;
    int others = 0;
};

bool terminatePending()
{
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    return sigismember(&pending, SIGTERM) == 1;
}

} // namespace

class TestRobust : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tickBeforeDataModule();
    void sessionEndsDuringFirstQuestions();
    void quitEndsTheAlarmSound();
    void silentServerAttemptIsBounded();
    void firstConnectionFillsTheShowingPage();
    void serverRestart_data();
    void serverRestart();
};

// A slow host-name lookup holds the data module back past the first tick of
// timer_connetti: that tick does nothing, the next one connects.
void TestRobust::tickBeforeDataModule()
{
    const test::TempDatabase db;
    test::TempRoot root;
    root.writeConnectionFile((db.file() + QLatin1Char('\n')).toUtf8());
    ScriptedDialogs dialogs;
    Tfrm_menu frm;
    frm.connectTick();
    QVERIFY(frm.timer_connetti.isActive());
    QVERIFY(!frm.Timer_scad.isActive());

    Tdm dm;
    dm.pc = key;
    frm.setDataModule(&dm);
    frm.connectTick();
    QVERIFY(dm.connected());
    QVERIFY(!frm.timer_connetti.isActive());
    QVERIFY(frm.Timer_scad.isActive());
    VERIFY_DIALOGS_DONE(dialogs);
}

// SIGTERM while the first-start question is open, before the data module
// exists: the box closes, no other box opens, and the program ends.
void TestRobust::sessionEndsDuringFirstQuestions()
{
    test::TempRoot root;
    SessionEndsAtQuestion dialogs;
    Tfrm_menu frm;
    QCOMPARE(dialogs.questions, 1);
    QCOMPARE(dialogs.others, 0);
    QVERIFY(frm.programEnded());
    // Back in the event loop the signal is read: the end of the session,
    // with no data module yet.
    QTRY_VERIFY(!terminatePending());
    QCOMPARE(frm.closingFlag(), QStringLiteral("S"));
    QVERIFY(!QFile::exists(root.root() + QStringLiteral("Velmora/Sys/velmora.cnt")));
}

// "Chiudi applicazione" chosen while the alarm sound plays on a device that
// never reports its end: the sound gives up, the connection is closed, the
// program ends.
void TestRobust::quitEndsTheAlarmSound()
{
    const test::TempDatabase db;
    db.exec({deadline("10.30", "Consiglio di classe")});
    test::SettableClock clock(QDateTime(today, QTime(10, 29, 40)));
    Workstation w(db.file());
    w.frm->connectTick();
    QVERIFY(w.dm.connected());

    EndlessSound endless;
    w.dialogs.yes();
    QTimer::singleShot(50, w.frm->pop_menu, [&] { w.entry("Chiudiappluicazione1")->trigger(); });
    clock.set(QDateTime(today, QTime(10, 30, 0, 50)));
    w.frm->scan()->tick(QDateTime(today, QTime(10, 30)));

    QCOMPARE(endless.started, 1);
    QVERIFY(endless.endedByQuit);
    QVERIFY(w.frm->programEnded());
    QVERIFY(!w.dm.connected());
    QCOMPARE(w.dialogs.texts(), QStringList{QStringLiteral("question: Proseguendo verrà chiusa l'applicazione e non sarà più "
                                                           "operativa fino al prossimo riavvio... Confermare?")});
    VERIFY_DIALOGS_DONE(w.dialogs);
}

// A server that accepts and never answers: each attempt gives up after the
// connect timeout instead of Firebird's 180 s, and counts as a failure.
void TestRobust::silentServerAttemptIsBounded()
{
    const test::SilentListener silent;
    Workstation w(QStringLiteral("%1/%2:/srv/Velmora/Database/Velmora.FDB")
                      .arg(QLatin1String(test::listenHost)).arg(silent.port()));
    QElapsedTimer attempt;
    attempt.start();
    w.frm->connectTick();
    const qint64 took = attempt.elapsed();
    qInfo("one attempt against a silent server: %lld ms", static_cast<long long>(took));
    // Far above the bound, far below Firebird's own 180 s: a hang, not a speed.
    QVERIFY2(took < 60000, qPrintable(QString::number(took)));
    QVERIFY(!w.dm.connected());
    QVERIFY(w.frm->timer_connetti.isActive());
    QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Connessione in corso..."));
    VERIFY_DIALOGS_DONE(w.dialogs);
}

// Without a notification area the window is on screen before the
// connection: the first connection fills its lists and status bar.
void TestRobust::firstConnectionFillsTheShowingPage()
{
    const test::TempDatabase db;
    db.exec({deadline("11.00", "Scrutini"), deadline("12.00", "Collegio docenti")});
    test::SettableClock clock(QDateTime(today, QTime(10, 29, 40)));
    Workstation w(db.file());
    w.frm->showPage(w.frm->p_scadenze);
    QVERIFY(!w.dm.t_sca.isOpen());

    w.frm->connectTick();
    QVERIFY(w.dm.connected());
    QVERIFY(w.dm.t_sca.isOpen());
    QCOMPARE(w.dm.t_sca.rowCount(), 2);
    QVERIFY(w.dm.t_fes.isOpen());
    QCOMPARE(w.frm->StatusBar1_panels[2]->text(), QStringLiteral("Tot. Scadenze: 2"));
    QCOMPARE(w.frm->StatusBar1_panels[3]->text(), QStringLiteral("Scadenza più vicina: \"Scrutini\" - 10/12/2026  11.00"));
    VERIFY_DIALOGS_DONE(w.dialogs);
}

// The server goes away under a running workstation and comes back: the loss
// is recognised, pages warn instead of showing the network error, the
// workstation reconnects by itself, the start-up check lists the minute
// missed meanwhile, and the next deadline is announced in its minute.
void TestRobust::serverRestart_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("the network cut") << false;
    QTest::newRow("the server stopped and started") << true;
}

void TestRobust::serverRestart()
{
    QFETCH(bool, restart);
    // A server of the test's own can be stopped; the shared one is reached
    // through a relay that cuts it off.
    std::optional<test::PrivateServer> own;
    quint16 serverPort = 3050;
    if (restart) {
        own.emplace();
        QVERIFY(own->start());
        serverPort = own->port();
    } else if (!test::fbServerRunning()) {
        if (qEnvironmentVariableIsSet("VELMORA_FBSERVER"))
            QFAIL("the test script started a server, but none answers");
        QSKIP("no Firebird server on loopback");
    }
    const test::TempDatabase db;
    db.exec({deadline("10.30", "Mancata durante il riavvio"), deadline("10.32", "Dopo il riavvio")});
    db.shareWithServer();
    test::TcpProxy proxy(serverPort);
    test::SettableClock clock(QDateTime(today, QTime(10, 29, 10)));
    Workstation w(QStringLiteral("%1/%2:%3").arg(QLatin1String(test::listenHost)).arg(proxy.port()).arg(db.file()));
    w.frm->connectTick();
    QVERIFY(w.dm.connected());
    QVERIFY(alarms().isEmpty());

    if (restart)
        own->stop();
    else
        proxy.cut();
    clock.set(QDateTime(today, QTime(10, 30, 0, 50)));
    w.frm->scan()->tick(QDateTime(today, QTime(10, 30)));
    QVERIFY(!w.dm.connected());
    QVERIFY(!w.frm->Timer_scad.isActive());
    QVERIFY(w.frm->timer_connetti.isActive());
    QCOMPARE(w.frm->timer_connetti.interval(), Tfrm_menu::reconnectMs);
    QCOMPARE(w.frm->icona->toolTip(), notConnectedTip);

    // A page asked to read meanwhile warns; so does the general error report.
    w.dialogs.ok().ok();
    w.entry("v_scad")->trigger();
    guarded([&] { w.dm.open(w.dm.t_fes, QStringLiteral("select * from festivita")); });
    QCOMPARE(w.dialogs.shown().size(), 2);
    for (const ScriptedDialogs::Box &box : w.dialogs.shown()) {
        QCOMPARE(box.kind, QStringLiteral("warning"));
        QVERIFY2(box.text.startsWith(notConnectedWarning() + QLatin1Char('\n')), qPrintable(box.text));
    }

    // Tries without giving up while the server is away.
    for (int attempt = 0; attempt < 25; ++attempt)
        w.frm->connectTick();
    QVERIFY(!w.dm.connected());
    QVERIFY(w.frm->timer_connetti.isActive());
    QCOMPARE(w.frm->icona->toolTip(), notConnectedTip);

    if (restart)
        QVERIFY(own->start());
    else
        proxy.restore();
    clock.set(QDateTime(today, QTime(10, 31, 20)));
    w.frm->connectTick();
    QVERIFY(w.dm.connected());
    QVERIFY(!w.frm->timer_connetti.isActive());
    QVERIFY(w.frm->Timer_scad.isActive());
    QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Velmora - Gestione scadenze"));
    QCOMPARE(alarms(), QStringList{QStringLiteral("- Mancata durante il riavvio  DATA: 10/12/2026  ORA: 10.30")});

    clock.set(QDateTime(today, QTime(10, 32, 0, 50)));
    w.frm->scan()->tick(QDateTime(today, QTime(10, 32)));
    QCOMPARE(alarms(), (QStringList{QStringLiteral("- Mancata durante il riavvio  DATA: 10/12/2026  ORA: 10.30"),
                                    QStringLiteral("Dopo il riavvio")}));
    VERIFY_DIALOGS_DONE(w.dialogs);
}

QTEST_MAIN(TestRobust)
#include "test_app_robust.moc"
